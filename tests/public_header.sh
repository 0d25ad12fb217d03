#!/bin/sh
# The public header is plain C and C++, and leaves its includer no macro of its own but
# the include guard, the calling convention and the export attribute:
#   public_header.sh COMPILER HEADER
set -eu
cxx=$1 header=$2
dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT
status=0
for lang in c c++; do
  if [ $lang = c ]; then std=-std=c99; else std=-std=c++17; fi
  printf '#include <stdint.h>\n' > "$dir/base.h"
  printf '#include <stdint.h>\n#include "%s"\n' "$header" > "$dir/with.h"
  "$cxx" -x $lang $std -Wall -Wextra -Werror -pedantic -fsyntax-only "$dir/with.h"
  "$cxx" -x $lang $std -dM -E "$dir/base.h" | sort > "$dir/base.macros"
  "$cxx" -x $lang $std -dM -E "$dir/with.h" | sort > "$dir/with.macros"
  got=$(comm -13 "$dir/base.macros" "$dir/with.macros" | awk '{ print $2 }' | tr '\n' ' ')
  want="CORVANE_API CORVANE_CALL CORVANE_H "
  if [ "$got" != "$want" ]; then
    echo "$lang: the header defines $got"
    echo "$lang: wanted            $want"
    status=1
  fi
done
exit $status
