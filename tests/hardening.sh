#!/usr/bin/env bash
# Reads the built program and fails unless all five hardening measures are in it.
# Usage: hardening.sh PROGRAM COMPILE_COMMANDS_JSON
set -uo pipefail
program=$1
commands=$2
failed=0
check()
{
    if [ "$2" = yes ]; then
        echo "ok:      $1"
    else
        echo "MISSING: $1" >&2
        failed=1
    fi
}
has() { grep -Eq "$1" <<<"$2" && echo yes || echo no; }

header=$(readelf -hW "$program")
dynamic=$(readelf -dW "$program")
segments=$(readelf -lW "$program")
imports=$(readelf --dyn-syms -W "$program" | awk '$7 == "UND" {print $8}')

check "position-independent executable" "$(has 'Type: +DYN' "$header")"
check "PIE flag" "$(has 'Flags:.* PIE' "$dynamic")"
check "RELRO segment (-z relro)" "$(has 'GNU_RELRO' "$segments")"
check "immediate binding (-z now)" "$(has 'BIND_NOW|Flags:.* NOW' "$dynamic")"
check "stack protector (-fstack-protector-strong)" "$(has '^__stack_chk_fail' "$imports")"

# Fortification shows as imports of the checked variants (__memcpy_chk, ...). Where the program
# makes no call that glibc can fortify there is nothing to show, so then it must at least have
# been compiled with it.
fortifiable='^(memcpy|memmove|mempcpy|memset|stpcpy|stpncpy|strcpy|strncpy|strcat|strncat|s?n?printf|v?f?printf|vs?n?printf|read|pread|recv|recvfrom|fgets|gets|realpath|getcwd|wc[a-z]*cpy|wc[a-z]*cat|poll|ppoll)@'
if grep -Eq '^__[a-z_]+_chk@' <<<"$imports"; then
    check "fortified libc calls (-D_FORTIFY_SOURCE=2)" yes
elif unfortified=$(grep -E "$fortifiable" <<<"$imports"); then
    echo "unfortified libc calls: $unfortified" >&2
    check "fortified libc calls (-D_FORTIFY_SOURCE=2)" no
else
    echo "note:    no fortifiable libc call in the binary; checking how it was compiled"
    check "compiled with -D_FORTIFY_SOURCE=2" \
        "$(grep -q -- '-D_FORTIFY_SOURCE=2 .*src/main.cpp' "$commands" && echo yes || echo no)"
fi
exit $failed
