#!/usr/bin/env bash
# Checks the programs of a hardened build the way hardening-check does, from
# what readelf shows: a grabber library that writes past one of our buffers
# must abort the program, not corrupt it silently.
#   hardening_test.sh PROGRAM...
set -euo pipefail

failures=0
for program in "$@"; do
  header="$(readelf -hW "$program")"
  segments="$(readelf -lW "$program")"
  dynamic="$(readelf -dW "$program")"
  # Fortified calls and the stack protector's failure handler come from libc.
  symbols="$(readelf --dyn-syms -W "$program" | awk '$7 == "UND" { sub(/@.*/, "", $8); print $8 }')"
  while IFS='|' read -r what text pattern; do
    grep -Eq -- "$pattern" <<< "$text" || {
      echo "FAIL: ${program##*/}: no $what" >&2
      failures=$((failures + 1))
    }
  done <<EOF
position independent executable|$(grep 'Type:' <<< "$header")|DYN
read-only relocations|$(grep -c GNU_RELRO <<< "$segments")|^[1-9]
immediate binding|$(grep -E '\((FLAGS|FLAGS_1)\)' <<< "$dynamic" | tr '\n' ' ')|(^| )(BIND_)?NOW( |$)
stack protector|$(tr '\n' ' ' <<< "$symbols")|(^| )__stack_chk_fail( |$)
fortified libc calls|$(grep -v '^__stack_chk_fail$' <<< "$symbols" | tr '\n' ' ')|(^| )__[a-z0-9_]+_chk( |$)
EOF
done

if [ "$failures" -ne 0 ]; then
  echo "$failures hardening check(s) failed" >&2
  exit 1
fi
echo "$# programs hardened: PIE, RELRO, immediate binding, stack protector, fortify"
