#!/bin/sh
# Checks the export and import tables of Corvane64.dll or Corvane32.dll:
#   checkpe.sh OBJDUMP DLL 64|32
# Exports: exactly the four functions at their ordinals (32-bit: each under its plain
# and its decorated name, both on one entry). Imports: Windows system DLLs only.
set -eu
objdump=$1 dll=$2 bits=$3
dump=$("$objdump" -p "$dll")

# "ordinal name rva" for every named export.
exports=$(printf '%s\n' "$dump" | awk '
  /^Ordinal Base/ { base = $3 }
  /^Export Address Table -- Ordinal Base/ { sect = "eat"; next }
  /^\[Ordinal\/Name Pointer\] Table/ { sect = "names"; next }
  /^$/ { sect = "" }
  sect == "eat" && /Export RVA/ { gsub(/[][]/, " "); rva[$1 + base] = $4; n++ }
  sect == "names" { gsub(/[][]/, " "); name[$1 + base] = $2 }
  END {
    for (o in name) print o, name[o], rva[o]
    print "entries", n
  }' | sort -n)

if [ "$bits" = 64 ]; then
  want="1 vle2wiltF
2 vle2wiltmF
3 vle2wilyF
4 vle2wilymF
entries 4"
else
  want="1 vle2wiltF
2 _vle2wiltF@52
3 vle2wiltmF
4 _vle2wiltmF@52
5 vle2wilyF
6 _vle2wilyF@52
7 vle2wilymF
8 _vle2wilymF@52
entries 8"
fi
status=0
got=$(printf '%s\n' "$exports" | awk '{ print $1, $2 }' | sort -k1,1n)
want=$(printf '%s\n' "$want" | sort -k1,1n)
if [ "$got" != "$want" ]; then
  echo "exports (ordinal name):"; echo "$got"; echo "wanted:"; echo "$want"; status=1
fi
if [ "$bits" = 32 ]; then
  # ordinals 2k-1 and 2k lead to one address
  split=$(printf '%s\n' "$exports" | awk '$1 ~ /^[0-9]+$/ { r[$1] = $3 }
    END { for (o = 1; o <= 8; o += 2) if (r[o] == "" || r[o] != r[o + 1]) print "ordinals", o, o + 1, r[o], r[o + 1] }')
  if [ -n "$split" ]; then echo "plain and decorated names on different entries:"; echo "$split"; status=1; fi
fi
name=$(printf '%s\n' "$dump" | awk '/^Name[ \t]/ { print $3; exit }')
if [ "$name" != "Corvane$bits.dll" ]; then echo "export directory names $name"; status=1; fi

imports=$(printf '%s\n' "$dump" | awk '/DLL Name:/ { print $3 }' | sort -u)
echo "imports:" $imports
for i in $imports; do
  case $(printf '%s' "$i" | tr 'A-Z' 'a-z') in
    kernel32.dll|msvcrt.dll|api-ms-win-crt-*.dll) ;;
    *) echo "imports $i, which is not a Windows system DLL"; status=1 ;;
  esac
done
printf '%s\n' "$imports" | grep -qix kernel32.dll || { echo "no KERNEL32.dll import"; status=1; }
[ "$status" = 0 ] && echo "exports:" $(printf '%s\n' "$got" | tr '\n' ' ')
exit $status
