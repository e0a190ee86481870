#!/usr/bin/env bash
# Prints the Windows build to run on this machine: win32, the program that
# also runs on Windows 95 and NT 4, where 32-bit programs run; else win64.
if "$(dirname "$0")/can-run-32bit.sh" >/dev/null; then
    echo win32
else
    echo win64
fi
