#!/usr/bin/env bash
# Runs the three test tiers and prints one closing line for all of them.
set -uo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
cd "$top"
jobs=$(nproc)
failed=0

echo "== tier 1: native (ctest)"
(cd build/native && ctest --output-on-failure -j"$jobs") || failed=$((failed + 1))

echo "== tier 2: Win32 units under Wine"
scripts/with-wine.sh wine build/win32/netbell_win32_tests.exe --gtest_brief=1 || failed=$((failed + 1))

if [ -x tests/e2e/run.sh ]; then
    echo "== tier 3: end to end under Wine + Xvfb"
    tests/e2e/run.sh || failed=$((failed + 1))
fi

if [ "$failed" -ne 0 ]; then
    echo "make test: $failed tier(s) failed"
    exit 1
fi
echo "make test: all tiers passed"
