#!/usr/bin/env bash
# Builds Quillet and starts it under Wine: the PE32 program where this host
# runs 32-bit code, else the x86_64 build under wine64 (scripts/lib/host.bash).
#   scripts/run.sh                      start the editor (a virtual display if there is none)
#   scripts/run.sh --screenshot F.png   start it, wait, save a screenshot of the screen, close it
#   scripts/run.sh -- ARGS...           pass ARGS to quillet.exe
set -euo pipefail
cd "$(dirname "$0")/.."
shot=""; wait_s=${QUILLET_SHOT_DELAY:-6}; args=()
while [ $# -gt 0 ]; do
  case "$1" in
    --screenshot) shot=$(realpath -m "$2"); shift 2 ;;
    --) shift; args=("$@"); break ;;
    *) args+=("$1"); shift ;;
  esac
done
scripts/setup.sh
. scripts/env.sh
echo "run: $QUILLET_BUILD_WHY"
cmake --preset "$QUILLET_BUILD" >/dev/null
cmake --build --preset "$QUILLET_BUILD" --target quillet -j"$(nproc)"
quillet_ensure_display
trap quillet_stop_display EXIT
quillet_ensure_prefix
exe="$QUILLET_BIN/quillet.exe"
if [ -z "$shot" ]; then
  "$WINE" "$exe" ${args[@]+"${args[@]}"}
else
  # A Wine virtual desktop draws the window frames, so the caption shows.
  "$WINE" explorer /desktop=quillet,1024x768 "$exe" ${args[@]+"${args[@]}"} &
  pid=$!
  sleep "$wait_s"
  import -window root "$shot"
  echo "screenshot: $shot"
  kill "$pid" 2>/dev/null || true
  quillet_stop_wine
fi
