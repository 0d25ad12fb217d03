#!/usr/bin/env bash
# The whole test suite: installs what it needs, then builds and runs every test in the
# debug build, under AddressSanitizer and UndefinedBehaviorSanitizer, and in the
# release build (which also builds the benchmarks).
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh

jobs=$(nproc)
for preset in debug asan release; do
  echo "== $preset"
  cmake --preset "$preset" >/dev/null
  cmake --build --preset "$preset" -j "$jobs"
  ctest --preset "$preset" -j "$jobs"
done
