#!/usr/bin/env bash
# The main job: installs what it needs, builds everything, and prints the bubble-point
# table of ethanol/water at 760 mmHg computed through the native shared library and
# through Corvane64.dll and Corvane32.dll under Wine.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh >/dev/null

cmake --preset release >/dev/null
cmake --build --preset release -j "$(nproc)" >/dev/null
echo "== native library (libcorvane.so)"
./build/release/examples/bubbletable

for bits in 64 32; do
  cmake --preset "win$bits" >/dev/null
  cmake --build --preset "win$bits" -j "$(nproc)" >/dev/null
done
wine=(sh windows/wine.sh "$PWD/build/wineprefix")
trap '"${wine[@]}" stop' EXIT
"${wine[@]}" start >/dev/null 2>&1 || { echo "cannot create the Wine prefix" >&2; exit 1; }
for bits in 64 32; do
  echo "== Corvane$bits.dll under Wine"
  "${wine[@]}" run "build/win$bits/bin/bubbletable.exe" | tr -d '\r'
done
