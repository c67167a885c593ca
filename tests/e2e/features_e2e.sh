#!/usr/bin/env bash
# Compile and run, the keyword tree with instant help, and the 设置 dialog,
# through the real program and the X server. The program runs from a folder of
# its own (a copy with the keyword database, the stand-in compiler and a
# qlt8.dll naming it); the texts of its child windows are read with
# window_text.exe, since under Wine they are no X windows.
#   QUILLET_EXE   the program to run (default: quillet.exe of the build this host runs); the
#                 database and the stand-ins are taken from its folder
#   E2E_SHOTS     a folder: also save screenshots of a failed compile, the
#                 keyword tree with an entry's help, an instant-help result and
#                 the editor in a dark scheme (for a person to look at)
set -uo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
. "$root/scripts/env.sh"
# A prefix of its own: the program's registry values and wineserver stay apart.
export WINEPREFIX=${E2E_WINEPREFIX:-$QUILLET_OUT/features-prefix-$QUILLET_BUILD}
exe=$(realpath -m "${QUILLET_EXE:-$QUILLET_BIN/quillet.exe}")
built=$(dirname "$exe")
shots=${E2E_SHOTS:-}
. "$root/tests/e2e/lib/session.bash"
e2e_start "$exe" "$built/PB命令函数库.edb" "$built/compiler_stand_in.exe" "$built/marker_program.exe" \
          "$built/window_text.exe"

gbk() { iconv -f UTF-8 -t GBK; }

# The program's folder: the program, its database, the stand-in compiler
# named in qlt8.dll, and a dark scheme in 配色方案.ini.
prog="$work/prog"; docs="$work/docs"
mkdir -p "$prog" "$docs"
cp "$exe" "$built/PB命令函数库.edb" "$built/compiler_stand_in.exe" "$built/marker_program.exe" "$prog/"
cp "$built/window_text.exe" "$work/"
printf '[lujing]\r\nbyq=%s\r\n' "$(windows_path "$prog/compiler_stand_in.exe")" > "$prog/qlt8.dll"
printf '[深色]\r\n默认文本颜色=14474460\r\n汇编代码颜色=11842740\r\n背景颜色=1973790\r\n光标行条颜色=3355443\r\n成员方法颜色=11711154\r\n系统关键字颜色=16755200\r\n保留字颜色=6737151\r\n运算符颜色=13421772\r\n注释颜色=6599264\r\n引号文本颜色=7907280\r\n文本常量颜色=13150765\r\n数值常量颜色=11458213\r\n' \
  | gbk > "$prog/配色方案.ini"

# Ten lines; the stand-in compiler does not know FROBNICATE on line 5.
body() {
  printf '#COMPILE EXE\r\n#DIM ALL\r\n\r\nFUNCTION PBMAIN () AS LONG\r\n    %s 1\r\n' "$1"
  printf '    LOCAL x AS LONG\r\n    DIM y AS LONG\r\n    PRINT x\r\nEND FUNCTION\r\n'"' end"
}
body FROBNICATE > "$docs/bad.bas"
body PRINT > "$docs/good.bas"

wait_file() { for _ in $(seq 50); do [ -f "$1" ] && return 0; sleep 0.2; done; return 1; }
click_in() { xdotool mousemove --window "$1" "$2" "$3" click "${@:4}" 1; sleep 0.6; }
# The child windows' texts of the top-level window whose caption starts so.
texts() { "$WINE" "$work/window_text.exe" "$1" 2>/dev/null | tr -d '\r'; }
# One block of texts(): the text of the first child of that class.
text_of() { texts "$1" | awk -v c="== $2" '$0 == c {on = 1; next} /^== / {if (on) exit} on'; }
help_text() { text_of "$base" Edit; }
# Waits until the help box holds the text (a fixed string, first line given).
help_has() {
  for _ in $(seq 25); do help_text | grep -qF -- "$1" && return 0; sleep 0.2; done
  echo "help box: $(help_text | head -3)" >&2
  return 1
}
status_is() {  # status_is PART TEXT
  local shown
  for _ in $(seq 25); do
    shown=$(text_of "$base" "msctls_statusbar32 $1"); [ "$shown" = "$2" ] && return 0; sleep 0.2
  done
  echo "status part $1: $shown, wanted: $2" >&2
  return 1
}
box_says() { texts "$1" | grep -qF -- "$2"; }
scheme_is() { [ "$(text_of 设置 ComboBox)" = "$1" ]; }
scheme_stored() {
  "$WINE" reg query 'HKCU\Software\Velmoor\Quillet\编辑器配置' /v 配色方案名 2>/dev/null | iconv -f GBK -t UTF-8 | grep -q "$1"
}
# A pixel of the main window as rrggbb.
pixel() { import -window root -crop "1x1+$((wx + $1))+$((wy + $2))" txt:- 2>/dev/null | grep -o '#[0-9A-F]\{6\}' | head -1; }
[ -n "$shots" ] && mkdir -p "$shots"

started=$SECONDS

start_program "$docs" "$prog/quillet.exe"
click_in "$main" 450 300

# ---- Compile and run ----

check "Ctrl+O opens the 10-line document with an error on line 5" open_file "$docs/bad.bas"
keys ctrl+End
type_keys "!"
check "a typed ! marks it modified" wait_title "$base - [$(windows_path "$docs/bad.bas")*]"
xdotool key F5
question=$(wait_window '^文件未保存$')
check "F5 asks to save the modified document" test -n "$question"
check "the question names the file" box_says 文件未保存 '"bad.bas"已经修改或未保存，是否保存？'
xdotool key Return  # 是
failure=$(wait_window '^编译失败$')
check "the compile fails with the 编译失败 box" test -n "$failure"
check "its text holds the error code" box_says 编译失败 '编译时出错，请看错误提示！错误代号: 516 '
check "是 saved the document first" saved_as "$docs/bad.bas" "$(body FROBNICATE | sed 's/%/%%/g')!"
# The log names the short path the compiler was given.
check "the log is in 帮助信息栏" help_has "(5:1):  Undefined word: FROBNICATE"
if [ -n "$failure" ]; then
  click_in "$failure" 157 83  # 确定
  check "确定 closes the box" wait_gone '^编译失败$'
fi
check "the status bar shows the error line 行:5" status_is 2 "行:5"
check "the caret is at the line's start" status_is 3 "列:0"
shot features_1_failed_compile.png

click_in "$main" 450 300
check "Ctrl+O opens a correct document" open_file "$docs/good.bas"
xdotool key F5
check "F5 compiles it: the success log in 帮助信息栏" help_has "10 lines, no errors"
check "the stand-in wrote the program" wait_file "$docs/good.exe"
check "no message box after a success" wait_gone '^编译失败$'
# Straight on, without giving the window the focus again: the compiler must not
# have taken it.
xdotool key F7
check "F7 runs the produced program" wait_file "$docs/good.exe.ran"
check "...with its quoted path as the command line" \
  bytes_are "$docs/good.exe.ran" "\"$(windows_path "$docs/good.exe")\""

# ---- The keyword tree, templates and instant help ----

# The started program took the keyboard; a click right of line 1's text
# gives it back and puts the caret on line 1.
click_in "$main" 600 105
click_in "$main" 86 158  # the category 流程控制
check "a category shows the category sentence" help_has "命令类别将命令分为若干类，以便于用户寻找所需要的命令。"
keys Right Down Down Down  # open it; CALL, CALL DWORD, DO ...LOOP
check "an entry shows its reference text" help_has "    英文名称：DO ...LOOP "
check "...with its usage and description" help_has "【说明】"
shot features_2_keyword_tree.png
click_in "$main" 100 174 --repeat 2 --delay 80  # double-click DO ...LOOP (the opened category scrolled to the top)
check "a double-click on a kind-3 entry changes the document" wait_title "$base - [$(windows_path "$docs/good.bas")*]"
xdotool key ctrl+s
check "the template lands below the caret's line, body indented" \
  saved_as "$docs/good.bas" "#COMPILE EXE\r\nDO \r\n\t\r\nLOOP \r\n$(body PRINT | tail -c +15)"

click_in "$main" 228 260 --repeat 2 --delay 80  # «DIM» on line 10
check "a double-click selects «DIM»" status_is 3 "列:7"
xdotool key F1
check "F1 finds the one record of DIM" help_has "找到与关键字：“DIM”相关的帮助信息 1 个"
check "...and shows it" help_has "    英文名称：DIM"
shot features_3_instant_help.png

# ---- 设置 ----

editor_background=$(pixel 650 330)
xdotool key alt+t; sleep 0.5; xdotool key Return  # 编辑器配置, the menu's first item
settings=$(wait_window '^设置$')
check "Alt+T, Return opens 设置" test -n "$settings"
if [ -n "$settings" ]; then
  sleep 0.5
  check "the scheme list starts at 默认配色" scheme_is 默认配色
  keys Down
  check "Down selects the saved scheme 深色" scheme_is 深色
  [ -n "$shots" ] && import -window "$settings" "$shots/features_4_settings_dark.png"
  eval "$(xdotool getwindowgeometry --shell "$settings" | sed 's/^/s/')"
  xdotool mousemove --window "$settings" $((sWIDTH - 140)) $((sHEIGHT - 27)) click 1  # 确定(&O)
  check "确定 closes it" wait_gone '^设置$'
fi
sleep 0.5
check "the editor was light before" test "$editor_background" = "#FFFFFF"
check "the editor is painted in the scheme's background" test "$(pixel 650 330)" = "#1E1E1E"
check "the scheme's name is stored" scheme_stored 深色
shot features_5_dark_scheme.png

# ---- Long Chinese names: the compiler names its outputs after the short path ----

cn="$work/中文目录"
mkdir -p "$cn"
body FROBNICATE > "$cn/测试 长文件名的程序.bas"
body PRINT > "$cn/正确 长文件名的程序.bas"
click_in "$main" 450 300
check "Ctrl+O opens a source with a long Chinese name in 中文目录" open_file "$cn/测试 长文件名的程序.bas"
xdotool key F5
failure=$(wait_window '^编译失败$')
check "its compile fails with the 编译失败 box" test -n "$failure"
check "...which holds the error code" box_says 编译失败 '编译时出错，请看错误提示！错误代号: 516 '
check "the short-named log is in 帮助信息栏" help_has "(5:1):  Undefined word: FROBNICATE"
[ -n "$failure" ] && { xdotool key Return; check "Return closes the box" wait_gone '^编译失败$'; }
check "the caret jumped to the error line 行:5" status_is 2 "行:5"
shot features_6_failed_compile_chinese_folder.png
check "Ctrl+O opens a correct source beside it" open_file "$cn/正确 长文件名的程序.bas"
xdotool key F5
check "F5 compiles it: the success log in 帮助信息栏" help_has "10 lines, no errors"
xdotool key F7
ran() { for _ in $(seq 50); do ls "$cn"/*.exe.ran >/dev/null 2>&1 && return 0; sleep 0.2; done; return 1; }
check "F7 runs the program the compiler named after the short path" ran

# ---- An error line past the end of the text ----

# The file on disk has its error on line 9; the document keeps four lines and
# the compile takes the file as saved.
printf '#COMPILE EXE\r\n#DIM ALL\r\nFUNCTION PBMAIN () AS LONG\r\n    PRINT 1\r\n    PRINT 2\r\n    PRINT 3\r\n    PRINT 4\r\n    PRINT 5\r\n    FROBNICATE 9\r\nEND FUNCTION' > "$docs/short.bas"
# The started program took the keyboard, and it does not come back by itself:
# once it is gone, a click on the text gives it back.
sleep 2
click_in "$main" 600 105

check "Ctrl+O opens a ten-line source" open_file "$docs/short.bas"
keys ctrl+Home Down Down Down End shift+ctrl+End Delete
check "the document keeps four lines" wait_title "$base - [$(windows_path "$docs/short.bas")*]"
xdotool key F5
modal '^文件未保存$'
xdotool key n  # 否: the file as saved is compiled
failure=$(wait_window '^编译失败$')
check "the saved file fails on line 9" test -n "$failure"
[ -n "$failure" ] && { xdotool key Return; wait_gone '^编译失败$'; }
check "the caret is on the last line 行:4" status_is 2 "行:4"
check "...at its start" status_is 3 "列:0"
type_keys "Z"
xdotool key ctrl+s
check "a typed key inserts: nothing was selected" \
  saved_as "$docs/short.bas" '#COMPILE EXE\r\n#DIM ALL\r\nFUNCTION PBMAIN () AS LONG\r\nZ    PRINT 1'

echo "run time: $((SECONDS - started)) s (after the display and prefix)"
