#!/usr/bin/env bash
# The downloads hold exactly the program, its help page, nbltool and the
# read-me, and each program is built for its zip's machine.
#   tests/dist/check_dist.sh DIST_FOLDER
set -uo pipefail
dist=${1:?usage: check_dist.sh DIST_FOLDER}
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
for pair in win32:014c win64:8664; do
    build=${pair%:*} machine=${pair#*:}
    zip_file=$dist/netbell-$build.zip
    if [ ! -f "$zip_file" ]; then
        fail "$zip_file is missing (make dist)"
        continue
    fi
    listed=$(unzip -Z1 "$zip_file" | LC_ALL=C sort)
    [ "$listed" = "$expected" ] || fail "$zip_file holds: $(echo $listed)"
    unpacked=$(mktemp -d)
    unzip -q "$zip_file" -d "$unpacked"
    for exe in netbell.exe nbltool.exe; do
        [ -f "$unpacked/$exe" ] || continue
        got=$(pe_machine "$unpacked/$exe")
        [ "$got" = "$machine" ] || fail "$build/$exe is for machine $got, not $machine"
    done
    grep -q $'\r$' "$unpacked/ReadMe.txt" 2>/dev/null || fail "$build/ReadMe.txt lacks Windows line ends"
    rm -rf "$unpacked"
done
[ "$status" -eq 0 ] && echo "dist: both zips hold the four files, for the right machines"
exit "$status"
