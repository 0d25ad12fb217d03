#!/usr/bin/env bash
# Builds the libFuzzer targets fuzz/fuzz_*.cpp and their seed writer fuzz/mkseeds.cpp
# through the CMake preset fuzz (clang, AddressSanitizer and UndefinedBehaviorSanitizer,
# in build/fuzz), and runs each target from its seeds (written by mkseeds from the test
# fixtures) for a fixed number of runs with a fixed seed, so that a run repeats. A
# target's seeds are those mkseeds writes for it and the files of fuzz/seeds/<target>/,
# if any. Any crash, sanitizer report, failed check or ended process fails the script.
# About 40 seconds in all; FUZZ_RUNS overrides the number of runs of every target, and
# CXX_FUZZ names another clang++.
set -euo pipefail
cd "$(dirname "$0")/.."

out=build/fuzz
# Runs of each target, chosen for a few seconds each; a target not listed gets 50000.
declare -A runs=([comp]=300000 [place]=60000 [prmaso]=60000 [fixedcol]=60000 [unifpar]=15000
                 [ffvalue]=60000)

cmake --preset fuzz ${CXX_FUZZ:+-DCMAKE_CXX_COMPILER="$CXX_FUZZ"} >/dev/null
cmake --build --preset fuzz

# Every run starts from the seeds alone.
rm -rf "$out/seeds" "$out/corpus" "$out"/fuzz_*.log
"$out/fuzz/mkseeds" "$out/seeds"

export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
for src in fuzz/fuzz_*.cpp; do
  name=$(basename "${src%.cpp}")
  target=${name#fuzz_}
  mkdir -p "$out/corpus/$target"
  # seeds from mkseeds, and any kept in fuzz/seeds/<target>; none: an empty start
  for d in "$out/seeds/$target" "fuzz/seeds/$target"; do
    if [ -d "$d" ]; then cp -R "$d"/. "$out/corpus/$target/"; fi
  done
  n=${FUZZ_RUNS:-${runs[$target]:-50000}}
  echo "== $name: $n runs"
  (cd "$out" && "./fuzz/$name" -seed=1 -runs="$n" -max_len=8192 -timeout=10 \
      -print_final_stats=1 "corpus/$target" 2>"$name.log") || {
    tail -40 "$out/$name.log"
    echo "fuzzing failed: $name" >&2
    exit 1
  }
  grep -E '^(stat::number_of_executed_units|Done)' "$out/$name.log" || true
done
echo "fuzzing passed"
