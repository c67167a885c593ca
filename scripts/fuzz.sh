#!/usr/bin/env bash
# Builds the fuzz targets (preset "fuzz"), replays each one's committed seeds
# and fuzzes it briefly, bounded by run count so that the step takes about as
# long on every machine. Prints "fuzz: N passed, M failed", one count per target.
#
#   scripts/fuzz.sh                 every target
#   scripts/fuzz.sh ini_text ...    only these
#   FUZZ_RUNS=200000 scripts/fuzz.sh   more runs per target
#
# Whatever a run finds lands in out/fuzz/artifacts/; new inputs go to
# out/fuzz/work/<target>, never into the committed corpus.
set -uo pipefail
cd "$(dirname "$0")/.."

# Runs per target: each target's rate differs, so these keep every target to a
# few seconds on one core.
declare -A runs=(
  [file_roundtrip]=20000
  [colour_line]=100000
  [ini_text]=40000
  [settings_records]=40000
  [compile_log]=100000
  [compile_directive]=100000
  [keyword_database]=200000
  [edit_sequence]=5000
  [find_replace]=40000
)

if ! { cmake --preset fuzz >/dev/null && cmake --build --preset fuzz -j"$(nproc)"; }; then
  echo "fuzz: 0 passed, 1 failed"
  exit 1
fi

targets=("$@")
if [ ${#targets[@]} -eq 0 ]; then
  for src in fuzz/*_fuzz.cpp; do
    name=$(basename "$src" _fuzz.cpp)
    targets+=("$name")
  done
fi

passed=0
failed=0
mkdir -p out/fuzz/artifacts out/fuzz/work
for t in "${targets[@]}"; do
  exe=out/fuzz/${t}_fuzz
  corpus=fuzz/corpus/$t
  log=out/fuzz/$t.log
  n=${FUZZ_RUNS:-${runs[$t]:-20000}}
  start=$SECONDS
  ok=1
  if [ ! -x "$exe" ] || [ ! -d "$corpus" ]; then
    echo "fuzz: $t has no program or no corpus"
    ok=0
  else
    # Replay: every seed once.
    "$exe" -artifact_prefix="out/fuzz/artifacts/$t-" "$corpus"/* >"$log" 2>&1 || ok=0
    if [ $ok -eq 1 ]; then
      mkdir -p "out/fuzz/work/$t"
      "$exe" -runs="$n" -seed=1 -artifact_prefix="out/fuzz/artifacts/$t-" \
        "out/fuzz/work/$t" "$corpus" >>"$log" 2>&1 || ok=0
    fi
  fi
  if [ $ok -eq 1 ]; then
    passed=$((passed + 1))
    echo "fuzz: $t ok ($n runs, $((SECONDS - start)) s)"
  else
    failed=$((failed + 1))
    echo "fuzz: $t FAILED (log: $log)"
    grep -E 'check failed|ERROR:|SUMMARY|runtime error' "$log" | head -5
  fi
done

echo "fuzz: $passed passed, $failed failed"
[ "$failed" -eq 0 ]
