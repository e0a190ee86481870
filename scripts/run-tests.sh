#!/usr/bin/env bash
# Runs the three test tiers and closes with one line for all of them.
set -uo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
cd "$top"
jobs=$(nproc)
ctest_log=$(mktemp)
gtest_log=$(mktemp)
trap 'rm -f "$ctest_log" "$gtest_log"' EXIT
failed_tiers=0

run_tier() {
    local log=$1 title=$2
    shift 2
    echo "== $title"
    "$@" 2>&1 | tee -a "$log"
    [ "${PIPESTATUS[0]}" -eq 0 ] || failed_tiers=$((failed_tiers + 1))
}

# Tiers 2 and 3 run against every Windows build this machine can run: the
# 64-bit one always, the 32-bit one where 32-bit programs run.
builds=(win64)
if why32=$(scripts/can-run-32bit.sh); then
    builds+=(win32)
    echo "builds: win64 and win32"
else
    echo "builds: win64; win32 skipped: $why32"
fi

run_tier "$ctest_log" "tier 1: native (ctest)" bash -c "cd build/native && ctest --output-on-failure -j$jobs"
for build in "${builds[@]}"; do
    run_tier "$gtest_log" "tier 2: Win32 units under Wine, $build build" \
        env NETBELL_BUILD="$build" scripts/with-wine.sh wine "build/$build/netbell_win32_tests.exe" --gtest_brief=1
    run_tier "$gtest_log" "tier 3: end to end under Wine + Xvfb, $build build" \
        env NETBELL_BUILD="$build" tests/e2e/run.sh
done

# ctest says "N tests failed out of M"; GoogleTest "[  PASSED  ] N tests."
# and "[  FAILED  ] N tests, listed below".
passed=0
failed=0
while read -r f m; do
    passed=$((passed + m - f))
    failed=$((failed + f))
done < <(sed -n 's/.* \([0-9][0-9]*\) tests failed out of \([0-9][0-9]*\).*/\1 \2/p' "$ctest_log")
while read -r n; do passed=$((passed + n)); done < <(sed -n 's/^\[  PASSED  \] \([0-9][0-9]*\) tests\{0,1\}\..*/\1/p' "$gtest_log")
while read -r n; do failed=$((failed + n)); done < <(sed -n 's/^\[  FAILED  \] \([0-9][0-9]*\) tests\{0,1\}, listed below.*/\1/p' "$gtest_log")
if [ "$failed_tiers" -ne 0 ] && [ "$failed" -eq 0 ]; then
    failed=$failed_tiers
fi
echo "tests: $passed passed, $failed failed"
[ "$failed_tiers" -eq 0 ]
