#!/usr/bin/env bash
# The main job: installs what it needs, builds everything, and prints the bubble-point
# table of ethanol/water at 760 mmHg computed through the shared library.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh >/dev/null

cmake --preset release >/dev/null
cmake --build --preset release -j "$(nproc)" >/dev/null
echo "== native library (libcorvane.so)"
./build/release/examples/bubbletable
