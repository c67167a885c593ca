#!/usr/bin/env bash
# Runs one Windows program under Wine with the project's prefix, locale and a display.
set -uo pipefail
. "$(dirname "$0")/env.sh"
quillet_ensure_display || exit 1
quillet_ensure_prefix
"$WINE" "$@"
rc=$?
quillet_stop_wine
quillet_stop_display
exit $rc
