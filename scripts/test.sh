#!/usr/bin/env bash
# Builds everything and runs every test: the native core tests (ASan + UBSan),
# a short run of every fuzz target (scripts/fuzz.sh), both Windows builds with
# a static check of each program, the script tests (tests/scripts), and under
# Wine in a virtual display the Win32 tests and the end-to-end scripts
# tests/e2e/*.sh (X input through xdotool) against the build this host runs:
# the PE32 one, or the x86_64 one where the host runs 64-bit code only.
set -uo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh || exit 1
. scripts/env.sh
echo "test: $QUILLET_BUILD_WHY"
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

# summary_counts LABEL LOG: the counts of a "LABEL: N passed, M failed" line
# (fuzz, e2e and script steps print one); a log without it counts as one failure.
summary_counts() {
  local line
  line=$(grep -oE "^$1: [0-9]+ passed, [0-9]+ failed" "$2" | tail -1)
  if [ -z "$line" ]; then echo "0 1"; else echo "$line" | sed -E 's/^[a-z0-9]+: ([0-9]+) passed, ([0-9]+) failed/\1 \2/'; fi
}

passed=0; failed=0
count() { passed=$((passed + $1)); failed=$((failed + $2)); }

step "native core: configure, build, test"
if cmake --preset native >/dev/null && cmake --build --preset native -j"$jobs"; then
  out/native/quillet_core_tests --gtest_color=no 2>&1 | tee out/native-tests.log
  count $(gtest_counts out/native-tests.log)
else
  count 0 1
fi

step "fuzz targets: build, replay the seeds, fuzz briefly"
scripts/fuzz.sh 2>&1 | tee out/fuzz.log
count $(summary_counts fuzz out/fuzz.log)

# Both programs are built on every host; the one this host cannot run is
# still checked statically (tests/scripts/pe_check_test.sh).
built=()
for build in win32 win64; do
  step "Windows $build: build"
  if cmake --preset $build >/dev/null && cmake --build --preset $build -j"$jobs"; then
    built+=("$build")
  else
    fail=1
  fi
done

step "script tests"
for script in tests/scripts/*.sh; do
  log=out/$(basename "$script" .sh).log
  timeout 120 bash "$script" 2>&1 | tee "$log"
  count $(summary_counts script "$log")
done

step "Windows $QUILLET_BUILD under Wine: Win32 tests"
if [[ " ${built[*]} " == *" $QUILLET_BUILD "* ]]; then
  quillet_ensure_display && quillet_ensure_prefix
  log=out/quillet_win32_tests-$QUILLET_BUILD.log
  "$WINE" "$QUILLET_BIN/quillet_win32_tests.exe" --gtest_color=no 2>&1 | tee "$log"
  count $(gtest_counts "$log")

  step "end-to-end: X input into the Windows $QUILLET_BUILD build under Wine"
  for script in tests/e2e/*.sh; do
    [ -e "$script" ] || continue
    log=out/$(basename "$script" .sh).log
    timeout 180 bash "$script" 2>&1 | tee "$log"
    count $(summary_counts e2e "$log")
  done
  quillet_stop_wine
  quillet_stop_display
else
  count 0 1
fi

[ "$failed" -eq 0 ] || fail=1
echo
echo "tests: $passed passed, $failed failed ($QUILLET_BUILD_WHY)"
exit $fail
