#!/usr/bin/env bash
# Ordinary code typed key by key keeps its one-letter names (the completion
# list takes a word from two letters on), and go to line past the end leaves
# nothing selected, through the real program and the X server; the file is
# saved with Ctrl+S and its bytes checked on disk.
#   QUILLET_EXE   the program to run (default: quillet.exe of the build this host runs)
#   E2E_SHOTS     a folder: also save screenshots of the typed lines, the
#                 text after the jump, a 函数库 category after a double-click,
#                 程序集 after saving a new document and the status bar of a
#                 1,480,182-line file
set -uo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
. "$root/scripts/env.sh"
# A prefix of its own: the program's registry values and wineserver stay apart.
export WINEPREFIX=${E2E_WINEPREFIX:-$QUILLET_OUT/typing-prefix-$QUILLET_BUILD}
exe=$(realpath -m "${QUILLET_EXE:-$QUILLET_BIN/quillet.exe}")
shots=${E2E_SHOTS:-}
key_pause=0.4
. "$root/tests/e2e/lib/session.bash"
e2e_start "$exe"

[ -n "$shots" ] && mkdir -p "$shots"

start_program "$work" "$exe"
xdotool windowfocus --sync "$main" 2>/dev/null; sleep 1

code="$work/code.bas"
printf 'L1\r\nL2' > "$code"
check "Ctrl+O opens a two-line file" open_file "$code"

# One letter and Space: the letter stays, the space is typed; «to», «as» and
# «dim» complete to themselves; Esc closes the list that «string» opened.
keys ctrl+End Return
type_keys "for i = 1 to 10"; keys Return
type_keys "x = 1"; keys Return
type_keys "dim s as string"
keys Escape
shot typing_lines.png
keys ctrl+s
check "one-letter names are saved as typed" saved_as "$code" \
  'L1\r\nL2\r\nfor i = 1 to 10\r\nx = 1\r\ndim s as string'

# Ctrl+G beyond the last line: the notice, then the caret on the last line
# with nothing selected, so a key only inserts.
keys ctrl+g
check "Ctrl+G asks for the line" modal '^到指定行$'
type_keys "99"; keys Return
check "a number past the end is told" modal "^$base\$"
keys Return
type_keys "K"
shot typing_after_jump.png
keys ctrl+s
check "the key lands at the start of the last line, the text kept" saved_as "$code" \
  'L1\r\nL2\r\nfor i = 1 to 10\r\nx = 1\r\nKdim s as string'

if [ -n "$shots" ]; then
  # A 函数库 category unfolds on a double-click.
  xdotool mousemove --window "$main" 95 142 click --repeat 2 --delay 80 1; sleep 0.6
  shot typing_category_open.png
  # 程序集 names a new document by its saved name at once.
  xdotool mousemove --window "$main" 85 103 click 1; sleep 0.5
  keys ctrl+n
  type_keys "sub Hello"; keys Escape ctrl+s
  if modal '^请输入要保存文件的路径$'; then
    keys ctrl+a; type_keys "$(windows_path "$work/hello.bas")"; keys Return
  fi
  sleep 1
  shot typing_saved_tree.png
  big="$work/big.bas"
  seq 1480182 | sed 's/$/\r/' | head -c -2 > "$big"
  open_file "$big" && keys ctrl+End && shot typing_status_bar.png
fi
