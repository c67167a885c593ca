#!/usr/bin/env bash
# Both Windows programs, checked statically on every host, including the one
# this host cannot run: the PE kind for its processor, a GUI program, no MinGW
# runtime DLLs to ship beside it, and the system DLLs it should import (the
# common dialogs and the print spooler are bound at first use, not imported).
# Ends with "script: N passed, M failed".
set -uo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
. "$root/tests/lib/checks.bash"
out=${QUILLET_OUT:-$root/out}

# build objdump format magic
for spec in "win32 i686-w64-mingw32-objdump pei-i386 010b" "win64 x86_64-w64-mingw32-objdump pei-x86-64 020b"; do
  read -r build objdump format magic <<<"$spec"
  exe=$out/$build/quillet.exe
  headers=$(LC_ALL=C "$objdump" -p "$exe" 2>/dev/null)  # untranslated: the runner sets a Chinese locale
  dlls=$(grep -oE 'DLL Name: .*' <<<"$headers" | cut -d' ' -f3 | tr 'A-Z' 'a-z')
  has() { grep -qE "$1" <<<"$headers"; }
  imports_all() {
    local dll ok=0
    for dll in "$@"; do grep -qx "$dll" <<<"$dlls" || { echo "     missing import: $dll"; ok=1; }; done
    return $ok
  }
  check "$build: a $format program (magic $magic)" has "file format $format\$"
  check "$build: its optional header is $magic" has "^Magic[[:space:]]+$magic"
  check "$build: a Windows GUI program" has "^Subsystem[[:space:]]+0+2[[:space:]]"
  check "$build: no MinGW runtime DLL" bash -c '! grep -qiE "libstdc|libgcc|libwinpthread" <<<"$1"' _ "$dlls"
  check "$build: imports the system DLLs it needs" \
    imports_all kernel32.dll user32.dll gdi32.dll comctl32.dll imm32.dll advapi32.dll
  check "$build: late-bound DLLs are not imported" bash -c '! grep -qxE "comdlg32.dll|winspool.drv" <<<"$1"' _ "$dlls"
done
checks_summary script
