#!/usr/bin/env bash
# The checks that the build runs over the keyword reference texts: each fault
# put into a copy of the real texts is refused with its record named, and the
# source field 出处 is accepted but stays out of the database file.
# Ends with "script: N passed, M failed".
set -uo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
. "$root/tests/lib/checks.bash"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# refused NAME SED-EXPRESSION FILE EXPECTED: the edited copy fails with EXPECTED.
refused() {
  rm -rf "$work/db" && cp -r "$root/res/keyword_db" "$work/db"
  sed -i "$2" "$work/db/$3"
  local out
  out=$(python3 "$root/scripts/make_keyword_db.py" "$work/db" 2>&1) && { echo "     accepted"; return 1; }
  grep -qF -- "$4" <<<"$out" || { echo "     $out" | head -5; return 1; }
}

check "the real texts pass" python3 "$root/scripts/make_keyword_db.py" "$root/res/keyword_db"
check "a forbidden variant is refused" refused x 's/^中文名称: 取绝对值$/中文名称: 取绝对值等值/' cat03.txt \
  "(### 16): 中文名称 uses '等值'"
check "a mismatched bracket in a usage is refused" refused x 's/^| y = ABS(数值表达式)$/| y = ABS([数值表达式)/' cat03.txt \
  "(### 16): 用法: ')' closes '['"
check "a '|' outside [ ] or { } is refused" refused x 's/^| y = ABS(数值表达式)$/| y = ABS(x | y)/' cat03.txt \
  "(### 16): 用法: '|' outside [ ] or { }"
check "a { } without a choice is refused" refused x 's/^| y = ABS(数值表达式)$/| y = ABS({x})/' cat03.txt \
  "(### 16): 用法: { } offers no choice"
check "a usage that does not begin with its keyword is refused" refused x \
  's/^| y = ABS(数值表达式)$/| CALL ABS(数值表达式)/' cat03.txt "(### 16): 用法: the first form does not begin with ABS"

rm -rf "$work/db" && cp -r "$root/res/keyword_db" "$work/db"
sed -i 's/^关键字: 绝对值$/关键字: 绝对值\n出处: ABS function <http:\/\/example.invalid\/abs.html>/' "$work/db/cat03.txt"
check "出处 is accepted" python3 "$root/scripts/make_keyword_db.py" "$work/db" "$work/out.edb"
check "出处 stays out of the database file" bash -c '! grep -q "example.invalid" "$1"' _ "$work/out.edb"
checks_summary script
