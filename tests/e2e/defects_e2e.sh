#!/usr/bin/env bash
# Caret keys, 0x80, the view after caret keys, edit keys in the keyword tree
# and closing the last document, through the real program and the X server.
# Files are opened with Ctrl+O through the real open dialog, changed with
# xdotool keys and clicks, saved with Ctrl+S, and their bytes checked on disk.
#   QUILLET_EXE   the program to run (default: quillet.exe of the build this host runs)
#   E2E_SHOTS     a folder: also save screenshots of a select-all over
#                 keywords, a 500,000-line file at its end and the work-folder
#                 rule after splitter drags (for a person to look at)
set -uo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
. "$root/scripts/env.sh"
# A prefix of its own: the program's registry values and wineserver stay apart.
export WINEPREFIX=${E2E_WINEPREFIX:-$QUILLET_OUT/defects-prefix-$QUILLET_BUILD}
exe=$(realpath -m "${QUILLET_EXE:-$QUILLET_BIN/quillet.exe}")
shots=${E2E_SHOTS:-}
. "$root/tests/e2e/lib/session.bash"
e2e_start "$exe"

click_at() { xdotool mousemove --window "$main" "$1" "$2" click 1; sleep 0.5; }
# The pixels of the line-number bar (no caret there), as a digest.
number_bar() { import -window root -crop "36x250+$((wx + 164))+$((wy + 100))" rgb:- 2>/dev/null | md5sum; }
same_bar() { [ "$(number_bar)" = "$1" ]; }
other_bar() { [ "$(number_bar)" != "$1" ]; }


start_program "$work" "$exe"
xdotool windowfocus --sync "$main" 2>/dev/null; sleep 1

# 0x80 is a character of one byte, typed or read from a file.
euro="$work/euro.bas"
printf 'A\x801B' > "$euro"
check "Ctrl+O opens a file holding 0x80" open_file "$euro"
keys ctrl+Home Right Right
type_keys "x"
xdotool key ctrl+s
check "Right twice steps over A and 0x80 alone" saved_as "$euro" 'A\x80x1B'
keys ctrl+Home Right Delete
xdotool key ctrl+s
check "Delete on 0x80 removes that byte only" saved_as "$euro" 'Ax1B'
keys ctrl+End
xdotool type --delay 120 "€€"; sleep 0.5
keys BackSpace
xdotool key ctrl+s
check "a typed € is 0x80 and BackSpace removes one" saved_as "$euro" 'Ax1B\x80'

# A caret move without Shift ends the selection; typing then only inserts.
lines="$work/lines.bas"
printf 'L1\r\nL2\r\nL3\r\nL4' > "$lines"
check "Ctrl+O opens a four-line file" open_file "$lines"
keys ctrl+a ctrl+Home Down Down
type_keys "Z"
xdotool key ctrl+s
check "Ctrl+A, Ctrl+Home, Down, Down, Z inserts Z" saved_as "$lines" 'L1\r\nL2\r\nZL3\r\nL4'
# Ctrl+A leaves the caret at the end of the text.
keys ctrl+a ctrl+End; type_keys "E"
keys ctrl+a Home; type_keys "H"
keys ctrl+a End; type_keys "N"
keys ctrl+a Up; type_keys "U"
keys ctrl+a Left; type_keys "F"
keys ctrl+a
click_at 600 105  # right of line 1's text
type_keys "C"
xdotool key ctrl+s
check "after Ctrl+A: Ctrl+End, Home, End, Up, Left and a click only insert" \
  saved_as "$lines" 'L1C\r\nL2\r\nZL3U\r\nHL4EFN'

# Caret keys that cannot move still bring the caret back into view.
long="$work/long.bas"
for n in $(seq 300); do printf 'line %d\r\n' "$n"; done > "$long"
cp "$long" "$work/long.orig"
check "Ctrl+O opens a 300-line file" open_file "$long"
keys ctrl+Home
top=$(number_bar)
xdotool mousemove --window "$main" 400 250 click --repeat 5 --delay 80 5; sleep 0.5
check "the wheel scrolls away from line 1" other_bar "$top"
keys ctrl+Home
check "Ctrl+Home on line 1 scrolls back to it" same_bar "$top"
xdotool click --repeat 5 --delay 80 5; sleep 0.5
keys Home
check "Home at column 0 scrolls back to the caret" same_bar "$top"
keys End
xdotool click --repeat 5 --delay 80 5; sleep 0.5
keys End
check "End at the line end scrolls back to the caret" same_bar "$top"
keys ctrl+End
bottom=$(number_bar)
xdotool click --repeat 5 --delay 80 4; sleep 0.5
check "the wheel scrolls away from the last line" other_bar "$bottom"
keys ctrl+End
check "Ctrl+End at the end scrolls back to it" same_bar "$bottom"

# Edit keys typed into the keyword tree leave the document alone.
keys ctrl+Home
keys ctrl+a ctrl+c
click_at 60 200  # the 函数库 tree
keys Delete
keys ctrl+v
check "Del and Ctrl+V in the tree leave the document unmodified" wait_title "$base - [$(windows_path "$long")]"
xdotool key ctrl+s; sleep 1
check "the file keeps its 300 lines" cmp -s "$long" "$work/long.orig"
# The same paste in the editing window does change it: the clipboard was full.
click_at 400 105
keys ctrl+End ctrl+v
check "Ctrl+V in the editing window pastes" wait_title "$base - [$(windows_path "$long")*]"
keys ctrl+z
check "Ctrl+Z takes the paste back" wait_title "$base - [$(windows_path "$long")]"

if [ -n "$shots" ]; then
  mkdir -p "$shots"
  # A select-all over keywords in the default (proportional) editor font.
  keywords="$work/keywords.bas"
  printf 'function local dim print abc' > "$keywords"
  open_file "$keywords" && keys ctrl+a && shot 03_select_all_keywords.png
  # Six-digit line numbers.
  big="$work/big.bas"
  seq -f 'x = %.0f' 1 500000 | sed 's/$/\r/' > "$big"
  open_file "$big" && keys ctrl+End && shot 09_line_numbers_500000.png
  # The work-folder rule after the left splitter went right, left and back.
  drag() { xdotool mousemove --window "$main" "$1" 220 mousedown 1 mousemove --window "$main" $((($1 + $2) / 2)) 220 \
             mousemove --window "$main" "$2" 220 mouseup 1; sleep 0.6; }
  drag 159 260; shot 10_rule_wide.png
  drag 260 90; shot 10_rule_narrow.png
  drag 90 159; shot 10_rule_back.png
fi

# Closing the last document asks once: the program's own question.
close_current() { xdotool key alt+f; sleep 0.4; xdotool key l; wait_title "$1"; }
closed_up_to_long() {
  if [ -n "$shots" ]; then  # the big file and the keywords first
    close_current "$base - [$(windows_path "$keywords")]" && close_current "$base - [$(windows_path "$long")]" || return 1
  fi
  click_at 215 81  # the first tab
  wait_title "$base - [未命名1.bas]" &&
    close_current "$base - [$(windows_path "$euro")]" &&
    close_current "$base - [$(windows_path "$lines")]" &&
    close_current "$base - [$(windows_path "$long")]"
}
check "unmodified documents close without a question" closed_up_to_long
check "no question is left open" wait_gone '^文件已经修改$'
type_keys "q"
xdotool key alt+f; sleep 0.4; xdotool key l
question=$(wait_window '^文件已经修改$')
check "文件 > 关闭 on the last modified document asks" test -n "$question"
if [ -n "$question" ]; then
  sleep 1
  width=$(xdotool getwindowgeometry --shell "$question" | sed -n 's/^WIDTH=//p')
  check "the question has the five buttons of the program's close" test "${width:-0}" -ge 400
  xdotool key Tab Tab space  # 是 has the focus; two steps on is 否
fi
for _ in $(seq 50); do kill -0 "$pid" 2>/dev/null || break; sleep 0.2; done
check "否 ends the program at once" bash -c "! kill -0 $pid 2>/dev/null"
check "否 leaves the file as it was" cmp -s "$long" "$work/long.orig"
