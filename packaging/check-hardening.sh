#!/usr/bin/env bash
# Checks that ELF programs were built with the hardening flags, from what the
# linker and compiler left in them (readelf only, no devscripts):
#   PIE         an ET_DYN file whose DT_FLAGS_1 says PIE
#   RELRO       a GNU_RELRO segment
#   BIND_NOW    DT_BIND_NOW, or BIND_NOW in DT_FLAGS, or NOW in DT_FLAGS_1
#   stack       a call to __stack_chk_fail (-fstack-protector-strong)
#   fortify     a call to a checked libc function __*_chk (-D_FORTIFY_SOURCE)
# Prints one line per file and property; exits 1 if any property is missing.
#
# Usage: packaging/check-hardening.sh ELF-FILE...
set -euo pipefail

if (($# == 0)); then
    echo "usage: check-hardening.sh ELF-FILE..." >&2
    exit 2
fi

status=0
for file in "$@"; do
    if ! header=$(LC_ALL=C readelf -hW "$file" 2>/dev/null); then
        echo "$file: not an ELF file" >&2
        status=1
        continue
    fi
    dynamic=$(LC_ALL=C readelf -dW "$file")
    segments=$(LC_ALL=C readelf -lW "$file")
    symbols=$(LC_ALL=C readelf --dyn-syms -W "$file" | awk '$7 == "UND" { print $8 }')

    declare -A has=()
    grep -Eq '^[[:space:]]*Type:[[:space:]]+DYN' <<<"$header" &&
        grep -Eq '\(FLAGS_1\).*[[:space:]]PIE([[:space:]]|$)' <<<"$dynamic" && has[PIE]=1
    grep -Eq '^[[:space:]]*GNU_RELRO[[:space:]]' <<<"$segments" && has[RELRO]=1
    grep -Eq '\(BIND_NOW\)|\(FLAGS\).*[[:space:]]BIND_NOW|\(FLAGS_1\).*[[:space:]]NOW([[:space:]]|$)' \
        <<<"$dynamic" && has[BIND_NOW]=1
    grep -Eq '^__stack_chk_fail(@|$)' <<<"$symbols" && has[stack]=1
    grep -Ev '^__stack_chk_fail(@|$)' <<<"$symbols" | grep -Eq '^__[a-z0-9_]+_chk(@|$)' &&
        has[fortify]=1

    for property in PIE RELRO BIND_NOW stack fortify; do
        if [[ -n ${has[$property]:-} ]]; then
            echo "$file: $property yes"
        else
            echo "$file: $property MISSING"
            status=1
        fi
    done
    unset has
done
exit "$status"
