#!/usr/bin/env bash
# The downloads hold exactly the program, its help page, nbltool and the
# read-me, as the builds made them; each program is built for its zip's
# machine and needs no DLL beyond the system's.
#   tests/dist/check_dist.sh DIST_FOLDER BUILD_FOLDER
set -uo pipefail
dist=${1:?usage: check_dist.sh DIST_FOLDER BUILD_FOLDER}
builds=${2:?usage: check_dist.sh DIST_FOLDER BUILD_FOLDER}
status=0
fail() { echo "FAIL: $*"; status=1; }

# The machine field of a PE file's header: offset 0x3C names the "PE\0\0"
# signature, the 16-bit machine follows it.
pe_machine() {
    local at
    at=$(od -An -t u4 -j 60 -N 4 "$1" | tr -d ' ')
    [ "$(od -An -c -j "$at" -N 4 "$1" | tr -d ' ')" = 'PE\0\0' ] || { echo none; return; }
    od -An -t x2 -j $((at + 4)) -N 2 "$1" | tr -d ' '
}

expected=$'Netbell.htm\nReadMe.txt\nnbltool.exe\nnetbell.exe'
# The DLLs a program may import: the system's, not the compiler's runtime.
system_dll='^(kernel32|user32|gdi32|advapi32|shell32|ole32|oleaut32|comctl32|comdlg32|shlwapi|rasapi32|msvcrt|api-ms-win-.*)\.dll$'

for spec in win32:014c:i686 win64:8664:x86_64; do
    IFS=: read -r build machine arch <<<"$spec"
    zip_file=$dist/netbell-$build.zip
    if [ ! -f "$zip_file" ]; then
        fail "$zip_file is missing (make dist)"
        continue
    fi
    listed=$(unzip -Z1 "$zip_file" | LC_ALL=C sort)
    [ "$listed" = "$expected" ] || fail "$zip_file holds: $(echo $listed)"
    unpacked=$(mktemp -d)
    unzip -q "$zip_file" -d "$unpacked"
    for f in netbell.exe nbltool.exe Netbell.htm; do
        [ -f "$unpacked/$f" ] || continue
        cmp -s "$unpacked/$f" "$builds/$build/$f" || fail "$build/$f is not the one in $builds/$build (make dist)"
    done
    for exe in netbell.exe nbltool.exe; do
        [ -f "$unpacked/$exe" ] || continue
        got=$(pe_machine "$unpacked/$exe")
        [ "$got" = "$machine" ] || fail "$build/$exe is for machine $got, not $machine"
        for dll in $("$arch-w64-mingw32-objdump" -p "$unpacked/$exe" | sed -n 's/^\s*DLL Name: //p'); do
            grep -qiE "$system_dll" <<<"$dll" || fail "$build/$exe needs $dll, which Windows does not have"
        done
    done
    grep -q $'\r$' "$unpacked/ReadMe.txt" 2>/dev/null || fail "$build/ReadMe.txt lacks Windows line ends"
    rm -rf "$unpacked"
done
[ "$status" -eq 0 ] && echo "dist: both zips hold the four files, for the right machines"
exit "$status"
