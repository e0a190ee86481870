#!/usr/bin/env bash
# Wine benchmarks of the real netbell.exe, driven from outside by the
# end-to-end driver (tests/e2e/bench_test.cpp): the connection monitor's CPU
# time in 60 idle seconds, and in 60 more with "Watch Network" on, against
# the program without it, and the task list of 10,000 tasks from start to
# shown against a plain loop filling a list view, run in the driver and as a
# program started as Netbell is. Takes about four minutes.
# Runs inside scripts/with-wine.sh on a bare Xvfb (NETBELL_XVFB=1), or brings
# its own when called alone.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
cd "$top"
export NETBELL_BUILD=${NETBELL_BUILD:-$(scripts/pick-build.sh)}
win=build/$NETBELL_BUILD
# Another build of the program may be named instead (a Linux path).
exe=${WINE_BENCH_EXE:-$win/netbell.exe}

if [ "${NETBELL_WINE_SESSION:-}" != "$NETBELL_BUILD" ]; then
    exec env NETBELL_XVFB=1 scripts/with-wine.sh "$0" "$@"
fi
if [ -f "$win/Makefile" ]; then
    cmake --build "$win" --target netbell netbell_e2e rasapi32_standin sensapi_standin tray_minimal list_minimal >/dev/null
fi
for f in "$win/netbell_e2e.exe" "$win/standins/rasapi32.dll" "$win/standins/sensapi.dll" "$win/tray_minimal.exe" "$win/list_minimal.exe" "$exe"; do
    if [ ! -f "$f" ]; then
        echo "wine bench: $f is missing (make $NETBELL_BUILD); skipped"
        exit 0
    fi
done
echo "== netbell.exe under Wine, $NETBELL_BUILD build: idle monitor, 10,000-task list"
log=$(mktemp)
trap 'rm -f "$log"' EXIT
NETBELL_EXE=$(winepath -w "$exe") NETBELL_E2E_CASE_SECONDS=300 \
    wine "$win/netbell_e2e.exe" --gtest_also_run_disabled_tests --gtest_filter='WineBench.*' --gtest_brief=1 |
    tee "$log"
# wine returns 0 when its session is ended under it (another with-wine.sh
# on the same prefix ends everything there when it finishes).
if ! grep -q '^monitor idle ratio' "$log" || ! grep -q '^list ratio' "$log"; then
    echo "wine bench: it did not finish; see above" >&2
    exit 1
fi
