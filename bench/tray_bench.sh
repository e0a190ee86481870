#!/usr/bin/env bash
# Tray benchmark: time from process start to the notification-area icon for
# netbell.exe, as a ratio to a program that only adds an icon. Runs inside
# scripts/with-wine.sh on a bare Xvfb (NETBELL_XVFB=1), where Wine shows the
# icons in its own tray window; see bench/win32/tray_bench.cpp.
# TRAY_BENCH_RUNS sets the number of measured runs of each program.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
cd "$top"
export NETBELL_BUILD=${NETBELL_BUILD:-$(scripts/pick-build.sh)}
win=build/$NETBELL_BUILD
# Another build of the program may be named instead (a Linux path).
exe=${TRAY_BENCH_EXE:-$win/netbell.exe}

# Called on its own, it brings its own Wine session and display.
if [ "${NETBELL_WINE_SESSION:-}" != "$NETBELL_BUILD" ]; then
    exec env NETBELL_XVFB=1 scripts/with-wine.sh "$0" "$@"
fi
if [ -f "$win/Makefile" ]; then
    cmake --build "$win" --target tray_bench tray_minimal >/dev/null
fi
for f in "$win/tray_bench.exe" "$win/tray_minimal.exe" "$exe"; do
    if [ ! -f "$f" ]; then
        echo "tray bench: $f is missing (make $NETBELL_BUILD); skipped"
        exit 0
    fi
done
echo "== tray icon under Wine, $NETBELL_BUILD build (median of ${TRAY_BENCH_RUNS:-15} runs each)"
log=$(mktemp)
trap 'rm -f "$log"' EXIT
wine "$win/tray_bench.exe" "$(winepath -w "$exe")" "$(winepath -w "$win/tray_minimal.exe")" \
    "${TRAY_BENCH_RUNS:-15}" | tee "$log"
# wine returns 0 when its session is ended under it (another with-wine.sh
# on the same prefix ends everything there when it finishes).
if ! grep -q '^tray icon ratio' "$log"; then
    echo "tray bench: it did not finish; was its Wine session ended under it?" >&2
    exit 1
fi
