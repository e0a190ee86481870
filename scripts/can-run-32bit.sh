#!/usr/bin/env bash
# Exit 0 when this machine runs 32-bit programs; otherwise say why on stdout
# and exit 1. Some hosts refuse every 32-bit program, whatever is installed,
# so this tries one (32-bit Wine's own loader) rather than reading the
# package list.
loader=/usr/lib/wine/wine
if [ ! -e "$loader" ]; then
    echo "32-bit Wine is not installed"
    exit 1
fi
if ! out=$("$loader" --version 2>&1); then
    echo "this machine does not run 32-bit programs (${out##*: })"
    exit 1
fi
