#!/usr/bin/env bash
# End-to-end: real X keyboard input into one editing window under Wine.
# Starts edit_host.exe (a window titled "Quillet edit host" on a new EXE
# program), types through the X server with xdotool (ASCII, Chinese, Return,
# BackSpace, Tab, Ctrl+Z), closes the window and checks the bytes the host
# wrote. xdotool types a Chinese character as a keysym; the ANSI window gets
# it as two WM_CHAR bytes. No Wine virtual desktop, so xdotool sees the window.
#   EDIT_HOST=path/to/edit_host.exe   (default: edit_host.exe of the build this host runs)
# Ends with the line "e2e: N passed, M failed".
set -uo pipefail
cd "$(dirname "$0")/../.."
. scripts/env.sh

exe=${EDIT_HOST:-$QUILLET_BIN/edit_host.exe}
. tests/e2e/lib/session.bash
# Shares the display it was given; stops only one it started itself.
finish() {
  [ -n "${host_pid:-}" ] && kill "$host_pid" 2>/dev/null
  [ -n "${own_display:-}" ] && quillet_stop_display
  rm -rf "${work:-}"
  e2e_summary
}

if [ ! -f "$exe" ]; then
  echo "edit_host.exe not found at $exe"; failed=1; finish
fi
had_display=${QUILLET_XVFB_PID:-}
quillet_ensure_display || { failed=1; finish; }
[ "${QUILLET_XVFB_PID:-}" != "$had_display" ] && own_display=1
quillet_ensure_prefix

work=$(mktemp -d "$QUILLET_OUT/e2e-edit.XXXXXX")
out_file="$work/typed.bas"
"$WINE" "$exe" "$("$WINE" winepath -w "$out_file" 2>/dev/null | tr -d '\r')" >"$work/host.log" 2>&1 &
host_pid=$!

win=$(wait_window "Quillet edit host")
check "the host window appears" test -n "$win"
[ -n "$win" ] || finish
sleep 0.5
xdotool windowfocus --sync "$win" 2>/dev/null || xdotool windowfocus "$win"
sleep 0.3

# The EXE template starts with "#COMPILE EXE"; the caret is at its start.
xdotool type --delay 60 "abc"
xdotool key --delay 60 Return
xdotool type --delay 120 "易中文"
xdotool key --delay 60 BackSpace   # removes 文, both bytes
xdotool key --delay 60 BackSpace   # removes 中
xdotool key --delay 60 ctrl+z      # brings 中 back
xdotool key --delay 60 Tab
xdotool type --delay 60 "x"
sleep 0.5
xdotool key --delay 60 alt+F4

for _ in $(seq 100); do
  kill -0 "$host_pid" 2>/dev/null || break
  sleep 0.2
done
if kill -0 "$host_pid" 2>/dev/null; then
  check "the host closes on Alt+F4" false
else
  wait "$host_pid"; rc=$?
  host_pid=""
  check "the host closes on Alt+F4 and writes its file" test "$rc" -eq 0 -a -f "$out_file"
fi

line() { sed -n "${1}p" "$out_file" 2>/dev/null; }
expect_line() {  # line number, expected bytes (printf format, GBK escapes)
  local want; want=$(printf "$2")
  [ "$(line "$1")" = "$want"$'\r' ]
}
check "ASCII and Return: line 1 is abc" expect_line 1 'abc'
check "Chinese, BackSpace, Ctrl+Z, Tab: line 2" expect_line 2 '\xd2\xd7\xd6\xd0\tx#COMPILE EXE'
check "the rest of the template follows unchanged" expect_line 3 '#DIM ALL'
check "lines end in CR LF" grep -q $'\r$' "$out_file"
finish
