# Shared by the end-to-end scripts in tests/e2e: counting checks, starting the
# program's own display and prefix, and waiting on its windows through xdotool.
# Sourced, never run; it sits below tests/e2e so the runner does not take it
# for a script of its own. The script sets root, exe and WINEPREFIX first; the
# helpers that look at the main window read $main, $base and $work.

. "$(dirname "${BASH_SOURCE[0]}")/../../lib/checks.bash"
# Pause after typed keys; a script may set it before sourcing.
key_pause=${key_pause:-0.5}

# The line the runner counts; exits failing when any check failed.
e2e_summary() { checks_summary e2e; }
finish() {
  [ -n "${pid:-}" ] && kill "$pid" 2>/dev/null
  quillet_stop_wine
  quillet_stop_display
  rm -rf "$work"
  e2e_summary
}

# e2e_start FILE...: fails at once unless every file is there; then a work
# folder, a display of our own without a window manager (E2E_DISPLAY: one
# already running), the prefix, and no registry values left from a last run.
e2e_start() {
  local needed
  for needed in "$@"; do
    [ -f "$needed" ] || { echo "missing: $needed" >&2; echo "e2e: 0 passed, 1 failed"; exit 1; }
  done
  work=$(mktemp -d /tmp/quillet-e2e-XXXXXX)
  trap finish EXIT
  if [ -n "${E2E_DISPLAY:-}" ]; then export DISPLAY=$E2E_DISPLAY; else unset DISPLAY; fi
  quillet_ensure_display || exit 1
  quillet_ensure_prefix
  "$WINE" reg delete 'HKCU\Software\Velmoor\Quillet' /f >/dev/null 2>&1
}

# Waits until a window whose name matches the pattern exists; prints its id.
wait_window() {
  local id
  for _ in $(seq 100); do
    id=$(xdotool search --name "$1" 2>/dev/null | head -1)
    [ -n "$id" ] && { echo "$id"; return 0; }
    sleep 0.2
  done
  return 1
}
wait_gone() {
  for _ in $(seq 50); do xdotool search --name "$1" >/dev/null 2>&1 || return 0; sleep 0.2; done
  return 1
}
# Waits for a modal window and gives it a moment to take the keys.
modal() { wait_window "$1" >/dev/null && sleep 0.6; }
title_is() { [ "$(xdotool getwindowname "$main" 2>/dev/null)" = "$1" ]; }
wait_title() {
  for _ in $(seq 50); do title_is "$1" && return 0; sleep 0.2; done
  echo "title: $(xdotool getwindowname "$main" 2>/dev/null), wanted: $1" >&2
  return 1
}

bytes_are() { cmp -s "$1" <(printf '%s' "$2"); }
# After Ctrl+S: waits for the file to hold the bytes (printf format).
saved_as() {
  local want; want=$(printf "$2"; echo .); want=${want%.}
  for _ in $(seq 25); do bytes_are "$1" "$want" && return 0; sleep 0.2; done
  echo "$(basename "$1") holds: $(od -An -c "$1" 2>/dev/null | tr -s ' ' | head -c 300)" >&2
  return 1
}
windows_path() { local p="Z:$1"; echo "${p//\//\\}"; }

type_keys() { xdotool type --delay 60 "$1"; sleep "$key_pause"; }
keys() { xdotool key --delay 60 "$@"; sleep "$key_pause"; }
# Opens a file through Ctrl+O and the open dialog.
open_file() {
  xdotool key ctrl+o
  wait_window '^请选择要打开的文件$' >/dev/null || return 1
  sleep 1
  xdotool key ctrl+a
  type_keys "$(windows_path "$1")"
  xdotool key Return
  wait_gone '^请选择要打开的文件$' && wait_title "$base - [$(windows_path "$1")]"
}
# A screenshot of the main window into E2E_SHOTS, when that is set.
shot() { [ -n "$shots" ] && import -window root -crop "${ww}x${wh}+$wx+$wy" +repage "$shots/$1"; return 0; }

# The program's caption before the document's part.
base='Quillet 2.8正式版'

# Starts the program EXE in FOLDER (its current directory) and waits for its
# main window with the untitled EXE document; sets pid, main and the window's
# place and size wx wy ww wh. Without a main window the session ends.
start_program() {
  (cd "$1" && exec "$WINE" "$2") >/dev/null 2>&1 &
  pid=$!
  main=$(wait_window "^$base")
  check "main window appears" test -n "$main"
  [ -n "$main" ] || exit 1
  check "first document is the untitled EXE program" wait_title "$base - [未命名1.bas]"
  eval "$(xdotool getwindowgeometry --shell "$main" | sed 's/^/w/')"
  wx=$wX wy=$wY ww=$wWIDTH wh=$wHEIGHT
}
