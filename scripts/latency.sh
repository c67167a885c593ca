#!/usr/bin/env bash
# Measures the editor under Wine: keystroke-to-screen time on a 100-line and a
# 1,000,000-line document, and start-up time beside a one-window program.
# Builds the timing configuration (preset "latency", out/latency; on a host
# that runs 64-bit code only "latency-win64", out/latency-win64) first; the
# normal build has none of the timing code. Not part of scripts/test.sh.
#   scripts/latency.sh [KEYS [STARTS]]   (defaults: 1000 keystrokes after 100 unmeasured, 11 starts each)
set -euo pipefail
cd "$(dirname "$0")/.."
keys=${1:-1000}
starts=${2:-11}
. scripts/env.sh
# The timing build of the program this host runs: preset latency (PE32) or latency-win64.
preset=latency; [ "$QUILLET_BUILD" = win32 ] || preset=latency-$QUILLET_BUILD
echo "latency: $QUILLET_BUILD_WHY"
cmake --preset "$preset" >/dev/null
cmake --build --preset "$preset" -j2 --target quillet one_window startup_timer >/dev/null
quillet_ensure_display
quillet_ensure_prefix
trap 'quillet_stop_wine; quillet_stop_display' EXIT
cd "$QUILLET_OUT/$preset"

# The documents: procedures of ordinary code, the keystrokes go into the middle line.
python3 - <<'PY'
import os
body = [
    "FUNCTION Work{n}(BYVAL a AS LONG, b AS STRING) AS LONG",
    "    LOCAL i AS LONG, total AS DOUBLE  ' running sum",
    "    FOR i = 1 TO a",
    "        total = total + i * 2.5: b = b + CHR$(65 + i MOD 26)",
    "    NEXT",
    "    IF total > 1000 THEN MSGBOX \"done \" + STR$(total)",
    "    FUNCTION = LEN(b)",
    "END FUNCTION",
    "",
]
for count in (100, 1000000):
    name = "lines_%d.bas" % count
    if os.path.exists(name):
        continue
    with open(name, "w", newline="\r\n") as f:
        for k in range(count):
            f.write(body[k % len(body)].format(n=k // len(body)) + "\n")
PY

echo "keystroke to the end of its paint ($keys characters each):"
for lines in 100 1000000; do
  rm -f "keys_$lines.txt"
  timeout 600 "$WINE" quillet.exe --latency-keys "keys_$lines.txt" "lines_$lines.bas" "$keys" || true
  if [ -f "keys_$lines.txt" ]; then sed 's/^/  /' "keys_$lines.txt"; else echo "  $lines lines: no report"; fi
done
echo
timeout 600 "$WINE" startup_timer.exe "$starts" quillet.exe one_window.exe | tr -d '\r'
