#!/usr/bin/env bash
# Runs a command against the project's own Wine prefix (created when missing)
# with a private Xvfb display that is stopped afterwards.
#   NETBELL_BUILD  win32 (32-bit Wine, prefix build/wine) or win64 (64-bit
#                  Wine, prefix build/wine64); by default the build this
#                  machine can run. Exported, so the command knows its build.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
export NETBELL_BUILD=${NETBELL_BUILD:-$("$top/scripts/pick-build.sh")}
# A session of the other build hands down its prefix; this one takes its own.
if [ -n "${NETBELL_WINE_SESSION:-}" ] && [ "$NETBELL_WINE_SESSION" != "$NETBELL_BUILD" ]; then
    unset WINEPREFIX
fi
case "$NETBELL_BUILD" in
win32)
    export WINEPREFIX=${WINEPREFIX:-$top/build/wine}
    export WINEARCH=win32
    # Nothing of a 64-bit session this one may run inside.
    unset WINELOADER
    PATH=$(tr ':' '\n' <<<"$PATH" | grep -vxF "$top/scripts/wine64" | paste -sd: -)
    export PATH
    ;;
win64)
    export WINEPREFIX=${WINEPREFIX:-$top/build/wine64}
    export WINEARCH=win64
    export WINELOADER=/usr/lib/wine/wine64
    export PATH=$top/scripts/wine64:$PATH
    ;;
*)
    echo "with-wine: NETBELL_BUILD must be win32 or win64, not $NETBELL_BUILD" >&2
    exit 2
    ;;
esac
export WINEDEBUG=${WINEDEBUG:--all}
export WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-mscoree,mshtml=}

xvfb_pid=
cleanup() {
    if [ -n "$xvfb_pid" ]; then
        wineserver -k >/dev/null 2>&1 || true
        kill "$xvfb_pid" 2>/dev/null || true
        wait "$xvfb_pid" 2>/dev/null || true
    fi
}
trap cleanup EXIT

if [ -z "${DISPLAY:-}" ] || [ -n "${NETBELL_XVFB:-}" ]; then
    n=90
    while [ -e /tmp/.X11-unix/X$n ] || [ -e /tmp/.X$n-lock ]; do n=$((n + 1)); done
    Xvfb :$n -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
    xvfb_pid=$!
    export DISPLAY=:$n
    for _ in $(seq 50); do [ -e /tmp/.X11-unix/X$n ] && break; sleep 0.1; done
fi

# The scripts inside know their Wine session is set up for this build.
export NETBELL_WINE_SESSION=$NETBELL_BUILD

# A prefix made for the other build cannot run this one.
if [ -f "$WINEPREFIX/system.reg" ] && ! grep -qx "#arch=$WINEARCH" "$WINEPREFIX/system.reg"; then
    echo "with-wine: $WINEPREFIX is not a $WINEARCH prefix; unset WINEPREFIX to use the build's own" >&2
    exit 2
fi

if [ ! -f "$WINEPREFIX/system.reg" ]; then
    echo "with-wine: creating the test Wine prefix in $WINEPREFIX"
    mkdir -p "$WINEPREFIX"
    wineboot -i >/dev/null 2>&1
    wineserver -w
fi

"$@"
