#!/usr/bin/env bash
# Runs the three test tiers and closes with one line for all of them.
set -uo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
cd "$top"
jobs=$(nproc)
log=$(mktemp)
trap 'rm -f "$log"' EXIT
passed=0
failed=0
failed_tiers=0

# Runs one tier and adds its cases to the totals: ctest says "N tests failed
# out of M"; GoogleTest "[  PASSED  ] N tests." and "[  FAILED  ] N tests,
# listed below". A tier that prints no summary (its Wine session ended under
# it, say), or that fails without naming a failed case, counts one failure.
run_tier() {
    local title=$1
    shift
    echo "== $title"
    "$@" 2>&1 | tee "$log"
    local rc=${PIPESTATUS[0]} p=0 f=0 seen=0 n m
    while read -r n m; do
        p=$((p + m - n)) f=$((f + n)) seen=1
    done < <(sed -n 's/.* \([0-9][0-9]*\) tests failed out of \([0-9][0-9]*\).*/\1 \2/p' "$log")
    while read -r n; do
        p=$((p + n)) seen=1
    done < <(sed -n 's/^\[  PASSED  \] \([0-9][0-9]*\) tests\{0,1\}\..*/\1/p' "$log")
    while read -r n; do
        f=$((f + n)) seen=1
    done < <(sed -n 's/^\[  FAILED  \] \([0-9][0-9]*\) tests\{0,1\}, listed below.*/\1/p' "$log")
    if [ "$seen" -eq 0 ] || { [ "$rc" -ne 0 ] && [ "$f" -eq 0 ]; }; then
        f=$((f + 1))
    fi
    [ "$rc" -eq 0 ] && [ "$f" -eq 0 ] || failed_tiers=$((failed_tiers + 1))
    passed=$((passed + p))
    failed=$((failed + f))
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

run_tier "tier 1: native (ctest)" bash -c "cd build/native && ctest --output-on-failure -j$jobs"
for build in "${builds[@]}"; do
    run_tier "tier 2: Win32 units under Wine, $build build" \
        env NETBELL_BUILD="$build" scripts/with-wine.sh wine "build/$build/netbell_win32_tests.exe" --gtest_brief=1
    run_tier "tier 3: end to end under Wine + Xvfb, $build build" \
        env -u NETBELL_E2E_EXE NETBELL_BUILD="$build" tests/e2e/run.sh
done

echo "tests: $passed passed, $failed failed"
[ "$failed_tiers" -eq 0 ]
