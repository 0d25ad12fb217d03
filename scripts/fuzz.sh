#!/usr/bin/env bash
# Builds the libFuzzer targets fuzz/fuzz_*.cpp with clang, AddressSanitizer and
# UndefinedBehaviorSanitizer in build/fuzz, and runs each from its seeds (written by
# fuzz/mkseeds.cpp from the test fixtures) for a fixed number of runs with a fixed
# seed, so that a run repeats. A target's seeds are those mkseeds writes for it and
# the files of fuzz/seeds/<target>/, if any. Any crash, sanitizer report, failed check
# or ended process fails the script. About 40 seconds in all; FUZZ_RUNS overrides the
# number of runs of every target.
set -euo pipefail
cd "$(dirname "$0")/.."

out=build/fuzz
# Runs of each target, chosen for a few seconds each; a target not listed gets 50000.
declare -A runs=([comp]=300000 [place]=60000 [prmaso]=60000 [fixedcol]=60000 [unifpar]=15000
                 [ffvalue]=60000)
cxx=${CXX_FUZZ:-clang++}
common=(-std=c++17 -g -O1 -Wall -Wextra -Werror -ffp-contract=off
        -Iengine -Iloaders -Iplatform -Itests -Ifuzz)
san=(-fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer)

rm -rf "$out"
mkdir -p "$out/obj"
objs=()
for src in loaders/*.cpp platform/platform_posix.cpp; do
  obj="$out/obj/$(basename "${src%.cpp}").o"
  "$cxx" "${common[@]}" "${san[@]}" -fsanitize=fuzzer-no-link -c "$src" -o "$obj"
  objs+=("$obj")
done

"$cxx" "${common[@]}" fuzz/mkseeds.cpp -o "$out/mkseeds"
"$out/mkseeds" "$out/seeds"

export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
for src in fuzz/fuzz_*.cpp; do
  name=$(basename "${src%.cpp}")
  target=${name#fuzz_}
  "$cxx" "${common[@]}" "${san[@]}" -fsanitize=fuzzer "$src" "${objs[@]}" -o "$out/$name"
  mkdir -p "$out/corpus/$target"
  # seeds from mkseeds, and any kept in fuzz/seeds/<target>; none: an empty start
  for d in "$out/seeds/$target" "fuzz/seeds/$target"; do
    if [ -d "$d" ]; then cp -R "$d"/. "$out/corpus/$target/"; fi
  done
  n=${FUZZ_RUNS:-${runs[$target]:-50000}}
  echo "== $name: $n runs"
  (cd "$out" && "./$name" -seed=1 -runs="$n" -max_len=8192 -timeout=10 \
      -print_final_stats=1 "corpus/$target" 2>"$name.log") || {
    tail -40 "$out/$name.log"
    echo "fuzzing failed: $name" >&2
    exit 1
  }
  grep -E '^(stat::number_of_executed_units|Done)' "$out/$name.log" || true
done
echo "fuzzing passed"
