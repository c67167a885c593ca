#!/usr/bin/env bash
# Builds everything and runs every test: the native core tests (ASan + UBSan),
# a short run of every fuzz target (scripts/fuzz.sh), the 64-bit Windows
# build, the Win32 tests under Wine in a virtual display, and the end-to-end
# scripts tests/e2e/*.sh (X input through xdotool).
set -uo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh || exit 1
. scripts/env.sh
jobs=$(nproc)
fail=0
mkdir -p out
step() { echo; echo "=== $*"; }

# Counts of one GoogleTest run's log: "passed failed"; a run that never reached
# its summary counts as one failure.
gtest_counts() {
  local p f
  p=$(grep -oE '^\[  PASSED  \] [0-9]+' "$1" | grep -oE '[0-9]+$' | tail -1)
  f=$(grep -oE '^\[  FAILED  \] [0-9]+ tests?, listed' "$1" | grep -oE '^[^0-9]*[0-9]+' | grep -oE '[0-9]+$' | tail -1)
  if [ -z "$p" ] && [ -z "$f" ]; then echo "0 1"; else echo "${p:-0} ${f:-0}"; fi
}

# Counts of one end-to-end script's log, from its "e2e: N passed, M failed"
# line; a script that never printed it counts as one failure.
e2e_counts() {
  local line
  line=$(grep -oE '^e2e: [0-9]+ passed, [0-9]+ failed' "$1" | tail -1)
  if [ -z "$line" ]; then echo "0 1"; else echo "$line" | sed -E 's/^e2e: ([0-9]+) passed, ([0-9]+) failed/\1 \2/'; fi
}

# Counts of the fuzz step's log, from its "fuzz: N passed, M failed" line; a
# run that never printed it counts as one failure.
fuzz_counts() {
  local line
  line=$(grep -oE '^fuzz: [0-9]+ passed, [0-9]+ failed' "$1" | tail -1)
  if [ -z "$line" ]; then echo "0 1"; else echo "$line" | sed -E 's/^fuzz: ([0-9]+) passed, ([0-9]+) failed/\1 \2/'; fi
}

step "native core: configure, build, test"
n_passed=0; n_failed=1
if cmake --preset native >/dev/null && cmake --build --preset native -j"$jobs"; then
  out/native/quillet_core_tests --gtest_color=no 2>&1 | tee out/native-tests.log
  read -r n_passed n_failed < <(gtest_counts out/native-tests.log)
fi

step "fuzz targets: build, replay the seeds, fuzz briefly"
scripts/fuzz.sh 2>&1 | tee out/fuzz.log
read -r f_passed f_failed < <(fuzz_counts out/fuzz.log)

step "Windows 64-bit: build"
{ cmake --preset win64 >/dev/null && cmake --build --preset win64 -j"$jobs"; } || fail=1

step "Windows 32-bit: build, test under Wine"
w_passed=0; w_failed=1; e_passed=0; e_failed=0
if cmake --preset win32 >/dev/null && cmake --build --preset win32 -j"$jobs"; then
  quillet_ensure_display && quillet_ensure_prefix
  w_failed=0
  for exe in out/win32/quillet_win32_tests.exe; do
    log=out/$(basename "$exe" .exe).log
    "$WINE" "$exe" --gtest_color=no 2>&1 | tee "$log"
    read -r p f < <(gtest_counts "$log")
    w_passed=$((w_passed + p)); w_failed=$((w_failed + f))
  done

  step "end-to-end: X input into the Windows build under Wine"
  for script in tests/e2e/*.sh; do
    [ -e "$script" ] || continue
    log=out/$(basename "$script" .sh).log
    timeout 180 bash "$script" 2>&1 | tee "$log"
    read -r p f < <(e2e_counts "$log")
    e_passed=$((e_passed + p)); e_failed=$((e_failed + f))
  done
  quillet_stop_wine
  quillet_stop_display
fi

passed=$((n_passed + f_passed + w_passed + e_passed)); failed=$((n_failed + f_failed + w_failed + e_failed))
[ "$failed" -eq 0 ] || fail=1
echo
echo "tests: $passed passed, $failed failed"
exit $fail
