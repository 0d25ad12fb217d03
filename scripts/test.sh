#!/usr/bin/env bash
# The whole test suite: installs what it needs, then builds and runs every test in the
# debug build, under AddressSanitizer and UndefinedBehaviorSanitizer, in the release
# build (which also builds the benchmarks), and in the windows build, which cross-builds
# Corvane64.dll and Corvane32.dll and tests them under Wine against the native library.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh

jobs=$(nproc)
for preset in debug asan release windows; do
  echo "== $preset"
  cmake --preset "$preset" >/dev/null
  cmake --build --preset "$preset" -j "$jobs"
  ctest --preset "$preset" -j "$jobs"
done

echo "== fuzz"
bash scripts/fuzz.sh
