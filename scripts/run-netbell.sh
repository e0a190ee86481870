#!/usr/bin/env bash
# Starts the program under Wine: on the desktop's display when there is one,
# otherwise under a private Xvfb. The 32-bit build where this machine runs
# 32-bit programs, else the 64-bit one.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
if why=$("$top/scripts/can-run-32bit.sh"); then
    build=win32
    echo "run: the 32-bit build (build/win32/netbell.exe) under 32-bit Wine"
else
    build=win64
    echo "run: the 64-bit build (build/win64/netbell.exe) under 64-bit Wine: $why"
fi
make -s -C "$top" "$build"
NETBELL_BUILD=$build exec "$top/scripts/with-wine.sh" wine "$top/build/$build/netbell.exe" "$@"
