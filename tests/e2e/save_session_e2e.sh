#!/usr/bin/env bash
# A user's save session on the real program through the X server: type into
# the new EXE program, save it with Ctrl+S through the real save dialog, check
# the bytes on disk, save again in place, then answer the save-changes dialog
# at exit (Esc keeps the program, 否 leaves without saving). Then the recent
# list across restarts: an entry whose file is gone says so and leaves the list.
#   QUILLET_EXE   the program to run (default: quillet.exe of the build this host runs)
set -uo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
. "$root/scripts/env.sh"
# A prefix of its own: the program's registry values and wineserver stay apart.
export WINEPREFIX=${E2E_WINEPREFIX:-$QUILLET_OUT/docs-prefix-$QUILLET_BUILD}
exe=$(realpath -m "${QUILLET_EXE:-$QUILLET_BIN/quillet.exe}")
. "$root/tests/e2e/lib/session.bash"
e2e_start "$exe" "$QUILLET_BIN/window_text.exe"
cp "$QUILLET_BIN/window_text.exe" "$work/"

template=$'#COMPILE EXE\r\n#DIM ALL\r\n\r\nFUNCTION PBMAIN () AS LONG\r\n\r\n    \r\n\r\nEND FUNCTION       '
target="$work/保存测试.bas"
windows_target="Z:${target//\//\\}"

start_program "$work" "$exe"
xdotool windowfocus --sync "$main" 2>/dev/null; sleep 1

type_keys "' e2e 中文"
check "typing marks the document modified" wait_title "$base - [未命名1.bas*]"

xdotool key ctrl+s
dialog=$(wait_window '^请输入要保存文件的路径$')
check "Ctrl+S opens the save dialog" test -n "$dialog"
if [ -n "$dialog" ]; then
  sleep 1
  xdotool key ctrl+a
  type_keys "$windows_target"
  xdotool key Return
  check "the save dialog closes" wait_gone '^请输入要保存文件的路径$'
fi
for _ in $(seq 25); do [ -f "$target" ] && break; sleep 0.2; done
check "the file holds the typed text and the template" bytes_are "$target" "$(printf "' e2e 中文" | iconv -f UTF-8 -t GBK)$template"
check "the caption shows the path without the mark" wait_title "$base - [$windows_target]"

# In place: no dialog this time.
type_keys "x"
xdotool key ctrl+s
sleep 1
check "Ctrl+S on a named document saves in place" bytes_are "$target" "$(printf "' e2e 中文x" | iconv -f UTF-8 -t GBK)$template"
check "the mark goes after the save" wait_title "$base - [$windows_target]"

# Exit with unsaved changes: Esc (the title-bar answer) keeps the program running.
type_keys "y"
xdotool key alt+F4
question=$(wait_window '^文件已经修改$')
check "closing asks about the modified document" test -n "$question"
if [ -n "$question" ]; then
  sleep 1
  xdotool key Escape
  check "Esc keeps the program" wait_gone '^文件已经修改$'
  check "the program still runs" kill -0 "$pid"
  xdotool windowfocus --sync "$main" 2>/dev/null; sleep 0.5
  xdotool key alt+F4
  question=$(wait_window '^文件已经修改$')
  sleep 1
  xdotool key Tab Tab space  # 是 has the focus; two steps on is 否
fi
for _ in $(seq 50); do kill -0 "$pid" 2>/dev/null || break; sleep 0.2; done
check "否 ends the program" bash -c "! kill -0 $pid 2>/dev/null"
check "否 leaves the file as saved" bytes_are "$target" "$(printf "' e2e 中文x" | iconv -f UTF-8 -t GBK)$template"

# The recent list: two files opened, the program closed, the last one deleted.
kept="$work/留下.bas"; gone="$work/删掉.bas"
printf 'a\r\n' > "$kept"; printf 'b\r\n' > "$gone"
start_program "$work" "$exe"
check "a file opens through the open dialog" open_file "$kept"
check "a second one too" open_file "$gone"
xdotool key alt+F4
for _ in $(seq 50); do kill -0 "$pid" 2>/dev/null || break; sleep 0.2; done
rm -f "$gone"
start_program "$work" "$exe"
xdotool windowfocus --sync "$main" 2>/dev/null; sleep 0.5
# 文件 menu, up past 退出 and 打印程序 to 最近打开文件, its first entry.
keys alt+f Up Up Up Right Return
box=$(wait_window '^最近打开文件$')
box_says() { "$WINE" "$work/window_text.exe" "$1" 2>/dev/null | tr -d '\r' | grep -qF -- "$2"; }
check "a recent entry whose file is gone says so" box_says 最近打开文件 "已经不存在，已从最近打开文件中删除"
[ -n "$box" ] && { xdotool key Return; wait_gone '^最近打开文件$'; }
check "no tab opens for it" wait_title "$base - [未命名1.bas]"
# The first entry is now the kept file.
keys alt+f Up Up Up Right Return
check "the entry left the list: the first one is the other file" wait_title "$base - [$(windows_path "$kept")]"
