#!/usr/bin/env bash
# End-to-end cases: netbell_e2e.exe drives build/$NETBELL_BUILD/netbell.exe
# under that build's Wine on a private Xvfb; the screenshots it takes become
# PNGs in build/screenshots/$NETBELL_BUILD.
# Extra arguments go to the test program (for example --gtest_filter=... or
# --gtest_also_run_disabled_tests). Exit status non-zero when a case fails
# or the run does not finish in time.
#   NETBELL_BUILD             win32 or win64 (default: the one this machine runs)
#   NETBELL_E2E_EXE           another netbell.exe to drive (a Linux path)
#   NETBELL_E2E_TIMEOUT       seconds for the whole run (600)
#   NETBELL_E2E_CASE_SECONDS  seconds for one case before its programs are ended (120)
#   WINEPREFIX                another prefix than the build's own
set -uo pipefail
top=$(cd "$(dirname "$0")/../.." && pwd)
cd "$top"
export NETBELL_BUILD=${NETBELL_BUILD:-$(scripts/pick-build.sh)}
win=build/$NETBELL_BUILD
shots=build/screenshots/$NETBELL_BUILD
limit=${NETBELL_E2E_TIMEOUT:-600}
# Another build of the program may be named instead (a Linux path).
exe=${NETBELL_E2E_EXE:-$win/netbell.exe}

for f in "$win/netbell_e2e.exe" "$win/netbell_e2e_probe.dll" "$win/netbell_e2e_target.exe" "$exe"; do
    if [ ! -f "$f" ]; then
        echo "e2e: $f is missing; run make $NETBELL_BUILD first" >&2
        exit 1
    fi
done
rm -rf "$shots"
mkdir -p "$shots"
# The report tells a finished run from one whose Wine session was ended
# under it (another with-wine.sh on the same prefix ends everything in it
# when it finishes): wine then returns 0 although nothing ran to the end.
report=build/e2e-report-$NETBELL_BUILD.xml
rm -f "$report"

# A small disk that fills for real, for the full-disk case: a tmpfs, which
# only root may mount. Elsewhere that case is skipped, and says why.
small_disk=
why=
if [ "$(id -u)" -ne 0 ]; then
    why="not root, so no tmpfs can be mounted"
elif ! small_disk=$(mktemp -d /tmp/netbell-small-disk.XXXXXX); then
    why="no folder for the mount"
    small_disk=
elif ! why=$(mount -t tmpfs -o size=4m tmpfs "$small_disk" 2>&1); then
    why="the machine refused a tmpfs mount: $(echo "$why" | head -n 1)"
    rmdir "$small_disk"
    small_disk=
fi
if [ -n "$small_disk" ]; then
    trap 'umount "$small_disk" && rmdir "$small_disk"' EXIT
else
    echo "e2e: the full-disk case is skipped: $why"
fi
export NETBELL_E2E_SMALL_DISK_WHY=$why NETBELL_E2E_SMALL_DISK_UNIX=$small_disk

# Always a bare Xvfb: the same screen every run, and no desktop tray, so
# Wine shows the icons in its own tray window where the cases count them.
export NETBELL_XVFB=1
# Each case has its own time limit inside the driver; this one is for a run
# that hangs outside any case.
timeout --kill-after=20 "$limit" scripts/with-wine.sh bash -c '
    NETBELL_EXE=$(winepath -w "$1") || exit 1
    NETBELL_SCREENSHOTS=$(winepath -w "$2") || exit 1
    xml=$(winepath -w "$3") || exit 1
    export NETBELL_EXE NETBELL_SCREENSHOTS
    if [ -n "$NETBELL_E2E_SMALL_DISK_UNIX" ]; then
        NETBELL_E2E_SMALL_DISK=$(winepath -w "$NETBELL_E2E_SMALL_DISK_UNIX") || exit 1
        export NETBELL_E2E_SMALL_DISK
    fi
    shift 3
    wine "$1" --gtest_output="xml:$xml" "${@:2}"
' _ "$exe" "$shots" "$report" "$win/netbell_e2e.exe" "$@"
rc=$?
if [ "$rc" -eq 124 ] || [ "$rc" -eq 137 ]; then
    echo "e2e: the run did not finish within $limit s" >&2
elif [ ! -s "$report" ]; then
    echo "e2e: the test program ended without its report; was its Wine session ended under it?" >&2
    rc=1
elif [ "$rc" -eq 0 ] && ! grep -q '<testsuites[^>]* failures="0"' "$report"; then
    echo "e2e: the report lists failures" >&2
    rc=1
fi

# The real ImageMagick when it is there; a stand-in may shadow it on PATH.
convert=/usr/bin/convert
[ -x "$convert" ] || convert=$(command -v convert || true)
shopt -s nullglob
for bmp in "$shots"/*.bmp; do
    if [ -n "$convert" ] && "$convert" "$bmp" "${bmp%.bmp}.png"; then
        rm -f "$bmp"
    else
        echo "e2e: could not convert $bmp to PNG; kept the BMP" >&2
    fi
done
pngs=("$shots"/*.png)
echo "e2e: ${#pngs[@]} screenshot(s) in $shots"
exit "$rc"
