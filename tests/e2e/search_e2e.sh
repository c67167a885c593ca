#!/usr/bin/env bash
# The completion prompt, replace-all with its undo, go to line and F3 through
# the real program and the X server: keys typed into the EXE template with
# xdotool, the file saved with Ctrl+S and its bytes checked on disk.
#   QUILLET_EXE   the program to run (default: quillet.exe of the build this host runs)
#   E2E_SHOTS     a folder: also save screenshots of the prompt list, the
#                 replace and find dialogs and the 程序集 tree
set -uo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
. "$root/scripts/env.sh"
# A prefix of its own: the program's registry values and wineserver stay apart.
export WINEPREFIX=${E2E_WINEPREFIX:-$QUILLET_OUT/search-prefix-$QUILLET_BUILD}
exe=$(realpath -m "${QUILLET_EXE:-$QUILLET_BIN/quillet.exe}")
shots=${E2E_SHOTS:-}
key_pause=0.4  # this session's pause after keys, shorter than the default
. "$root/tests/e2e/lib/session.bash"
e2e_start "$exe"

[ -n "$shots" ] && mkdir -p "$shots"

start_program "$work" "$exe"
xdotool windowfocus --sync "$main" 2>/dev/null; sleep 1

# «pr» lists PRINT first; Space takes its rest in lower case.
keys ctrl+End Return
type_keys "pr"
shot search_completion_list.png
keys space
type_keys "a"

# Ctrl+H: 查找下一个 selects PBMAIN (and makes it the last search), 全部替换
# replaces it and tells the count; Ctrl+Z takes the whole replacement back.
keys ctrl+Home ctrl+h
check "Ctrl+H opens 替换" modal '^替换$'
type_keys "pbmain"; keys Tab; type_keys "Start"
keys alt+f
shot search_replace_dialog.png
keys alt+a
check "全部替换 tells the count" modal "^$base\$"
keys Return
keys Escape
check "the replace dialog closes" wait_gone '^替换$'
keys ctrl+z

# Ctrl+G 2 puts the caret at the start of line 2.
keys ctrl+g
check "Ctrl+G asks for the line" modal '^到指定行$'
type_keys "2"; keys Return
type_keys "Z"

# F3 from the top finds the last search again; typing replaces the match.
keys ctrl+Home F3
type_keys "X"

saved="$work/search.bas"
keys ctrl+s
if modal '^请输入要保存文件的路径$'; then
  keys ctrl+a; type_keys "$(windows_path "$saved")"; keys Return
fi
check "the saved bytes hold every step" saved_as "$saved" \
  '#COMPILE EXE\r\nZ#DIM ALL\r\n\r\nFUNCTION X () AS LONG\r\n\r\n    \r\n\r\nEND FUNCTION       \r\nprint a'

if [ -n "$shots" ]; then
  keys ctrl+f
  modal '^查找$' && type_keys "print" && shot search_find_dialog.png
  keys Escape
  # A document with a few procedures, and its tree after 刷新(&R).
  keys ctrl+n
  for line in "sub Alpha" "sub Beta(x as long)" "function Gamma() as long" "sub Delta"; do
    type_keys "$line"; keys Return Return
  done
  xdotool mousemove --window "$main" 85 103 click 1; sleep 0.5   # the 程序集 tab
  xdotool mousemove --window "$main" 70 130 click 3; sleep 0.6   # its pop-up menu
  keys r
  shot search_procedure_tree.png
fi
