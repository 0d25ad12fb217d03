#!/bin/sh
# Wine for the tests, in a prefix of their own inside the build tree, without a display
# and without debug output:
#   wine.sh PREFIX start            create the prefix when it is missing
#   wine.sh PREFIX run PROGRAM ...  run a Windows program; its exit status is returned
#   wine.sh PREFIX stop             end the server and every Wine process of the prefix
# The prefix is 64-bit and also runs 32-bit programs; it must be made after the 32-bit
# Wine (wine32:i386) is installed, so a prefix without its 32-bit half is made again.
set -eu
prefix=$1 what=$2
shift 2
case $prefix in /*) ;; *) prefix=$(pwd)/$prefix ;; esac
# Only the Wine commands get the prefix in their environment, so that this script can
# tell the prefix's processes by it.
unset WINEPREFIX DISPLAY WAYLAND_DISPLAY
w() {
  env WINEPREFIX="$prefix" WINEARCH=win64 WINEDEBUG=-all \
      WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d" "$@"
}

case $what in
  start)
    if ! command -v wine >/dev/null; then
      echo "wine.sh: Wine is not installed (scripts/setup.sh installs it)" >&2
      exit 1
    fi
    if [ ! -x /usr/lib/wine/wine ]; then
      echo "wine.sh: the 32-bit Wine, wine32:i386, is missing (scripts/setup.sh installs it)" >&2
      exit 1
    fi
    if [ ! -f "$prefix/system.reg" ] ||
       [ ! -f "$prefix/drive_c/windows/syswow64/kernel32.dll" ]; then
      rm -rf "$prefix"
      mkdir -p "$(dirname "$prefix")"
      w wineboot --init
      w wineserver -w
    fi
    ;;
  run)
    w wine "$@"
    ;;
  stop)
    # -k only signals the processes: wait until none of this prefix is left
    w wineserver -k >/dev/null 2>&1 || true
    i=0
    while left=$(grep -lzsxF "WINEPREFIX=$prefix" /proc/[0-9]*/environ); [ -n "$left" ]; do
      i=$((i + 1))
      if [ $i -gt 100 ]; then
        echo "wine.sh: Wine processes still running:" $left >&2
        exit 1
      fi
      sleep 0.1
    done
    ;;
  *)
    echo "usage: wine.sh PREFIX start|run PROGRAM ...|stop" >&2
    exit 2
    ;;
esac
