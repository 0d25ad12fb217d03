#!/bin/sh
# The native shared library exports the four functions and nothing else.
set -eu
got=$(nm -D --defined-only "$1" | awk '{print $3}' | sort | tr '\n' ' ')
want="vle2wiltF vle2wiltmF vle2wilyF vle2wilymF "
if [ "$got" != "$want" ]; then
  echo "exports: $got"
  echo "wanted:  $want"
  exit 1
fi
