# Counting named checks, for the test scripts (tests/e2e, tests/scripts).
# Sourced, never run. The runner (scripts/test.sh) reads the summary line.

passed=0; failed=0

check() {  # check NAME COMMAND...
  if "${@:2}"; then passed=$((passed + 1)); echo "ok   $1"; else failed=$((failed + 1)); echo "FAIL $1"; fi
}
# checks_summary LABEL: prints "LABEL: N passed, M failed" and exits failing
# when any check failed.
checks_summary() {
  echo "$1: $passed passed, $failed failed"
  [ "$failed" -eq 0 ]
  exit $?
}
