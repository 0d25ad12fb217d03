#!/usr/bin/env bash
# Installs every Debian package the build and the tests need, when it is missing.
# Non-interactive and idempotent; run as root.
set -euo pipefail

native=(build-essential cmake ninja-build pkg-config googletest libgtest-dev libgmock-dev
        libbenchmark-dev clang libclang-rt-14-dev python3)
cross=(g++-mingw-w64-x86-64 g++-mingw-w64-i686 binutils-mingw-w64-x86-64 binutils-mingw-w64-i686
       wine wine64 wine32:i386)

missing=()
for p in "${native[@]}" "${cross[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done

if [ ${#missing[@]} -gt 0 ]; then
  export DEBIAN_FRONTEND=noninteractive
  if ! dpkg --print-foreign-architectures | grep -qx i386; then
    dpkg --add-architecture i386
  fi
  apt-get update -qq
  apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

# The mingw toolchains come in a win32-thread and a posix-thread flavour; the win32 one
# needs no libwinpthread, so the DLLs stay self-contained.
for t in x86_64-w64-mingw32 i686-w64-mingw32; do
  for l in g++ gcc; do
    if [ -x "/usr/bin/$t-$l-win32" ]; then
      update-alternatives --set "$t-$l" "/usr/bin/$t-$l-win32" >/dev/null 2>&1 || true
    fi
  done
done
