#!/usr/bin/env bash
# Every program people download loads on the oldest Windows it names: each
# import is one the checked-in list says that Windows exports, from a DLL of
# that list, and the PE header asks for no later version. Wine exports
# everything, so only this check can see a later import.
#   tests/dist/check_imports.sh BUILD_FOLDER
# BUILD_FOLDER holds win32/ and win64/. The lists beside this script name the
# functions with the documented minimum of each.
set -uo pipefail
builds=${1:?usage: check_imports.sh BUILD_FOLDER}
here=$(cd "$(dirname "$0")" && pwd)
status=0
fail() { echo "FAIL: $*"; status=1; }

# DLL!Function for each import, from objdump's import table.
imports() {
    "$1" -p "$2" | awk '
        /DLL Name:/ { dll = tolower($3); next }
        /^$/ { if (dll != "" && seen) dll = ""; next }
        dll != "" && /^\t[0-9a-f]+\t +[0-9]+ +[^ ]+$/ { print dll "!" $3; seen = 1 }' | sort -u
}

# "DLL Function ..." lines of the lists, comments and blanks left out.
allowed() {
    local f
    for f in "$@"; do
        sed -e 's/#.*//' "$here/$f" | awk 'NF >= 2 { print tolower($1) "!" $2 }'
    done | sort -u
}

# One PE header field as objdump prints it, in decimal.
header_field() {
    "$1" -p "$2" | awk -v f="$3" '$1 == f { print $2; exit }'
}

# build:arch:subsystem-ceiling:lists:what
for spec in "win32:i686:4.0:imports-win95-nt4.txt:Windows 95 and NT 4.0" \
            "win64:x86_64:5.2:imports-win95-nt4.txt imports-x64.txt:64-bit Windows XP and Server 2003"; do
    IFS=: read -r build arch ceiling lists what <<<"$spec"
    objdump=$arch-w64-mingw32-objdump
    # shellcheck disable=SC2086 # the lists are words
    ok=$(allowed $lists)
    for exe in netbell.exe nbltool.exe; do
        file=$builds/$build/$exe
        if [ ! -f "$file" ]; then
            fail "$file is missing (make $build)"
            continue
        fi
        before=$status status=0
        got=$(imports "$objdump" "$file")
        [ -n "$got" ] || fail "$build/$exe: no imports read"
        # A DLL off the list, whatever it is asked for (by name or number).
        while read -r dll; do
            grep -q "^$dll!" <<<"$ok" || fail "$build/$exe needs $dll, which $what do not have"
        done < <("$objdump" -p "$file" | sed -n 's/^\s*DLL Name: //p' | tr 'A-Z' 'a-z' | sort -u)
        while read -r bad; do
            [ -n "$bad" ] && fail "$build/$exe imports $bad, which $what do not have"
        done < <(comm -23 <(echo "$got") <(echo "$ok"))
        for field in MajorOSystemVersion:MinorOSystemVersion MajorSubsystemVersion:MinorSubsystemVersion; do
            major=$(header_field "$objdump" "$file" "${field%%:*}")
            minor=$(header_field "$objdump" "$file" "${field##*:}")
            if [ -z "$major" ] || [ $((major * 100 + minor)) -gt $((${ceiling%.*} * 100 + ${ceiling#*.})) ]; then
                fail "$build/$exe asks for version ${major:-?}.${minor:-?} (${field%%:*}), above $ceiling"
            fi
        done
        [ "$status" -eq 0 ] && echo "imports: $build/$exe: $(echo "$got" | wc -l) imports, all in $what"
        [ "$before" -eq 0 ] || status=$before
    done
done
exit "$status"
