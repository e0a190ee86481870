#!/usr/bin/env bash
# Installs what the build and the tests need, only when something is missing,
# so a second run costs a fraction of a second.
set -euo pipefail

need=()
have_cmd() { command -v "$1" >/dev/null 2>&1; }
have_pkg() { dpkg-query -W -f='${Status}' "$1" 2>/dev/null | grep -q 'install ok installed'; }

have_cmd i686-w64-mingw32-g++-win32 || need+=(mingw-w64)
have_cmd x86_64-w64-mingw32-g++-win32 || need+=(mingw-w64)
have_cmd cmake   || need+=(cmake)
have_cmd make    || need+=(make)
have_cmd g++     || need+=(g++)
have_cmd clang++ || need+=(clang)
have_cmd Xvfb    || need+=(xvfb)
have_cmd xauth   || need+=(xauth)
have_cmd xdpyinfo || need+=(x11-utils)
have_cmd import  || need+=(imagemagick)
have_cmd xdotool || need+=(xdotool)
have_pkg googletest || need+=(googletest)
have_pkg libgtest-dev || need+=(libgtest-dev)
have_pkg libbenchmark-dev || need+=(libbenchmark-dev)
have_pkg nlohmann-json3-dev || need+=(nlohmann-json3-dev)
have_pkg libclang-rt-14-dev || need+=(libclang-rt-14-dev)
# Once 32-bit Wine could not be had (see below), the next few hours of runs
# in this tree do not try again: make calls this script for every target.
no_wine32="$(dirname "$0")/../build/.wine32-unavailable"
have_pkg wine32:i386 || [ -n "$(find "$no_wine32" -mmin -360 2>/dev/null)" ] || need+=(wine32:i386)
# Both Wines: the 32-bit packages install on every machine, even one that
# cannot run their programs; the 64-bit loader is the one that runs there.
have_cmd wine || need+=(wine)
[ -x /usr/lib/wine/wine64 ] || need+=(wine64)
have_cmd zip     || need+=(zip)
have_cmd unzip   || need+=(unzip)

# ImageMagick's real "import" may be shadowed by a stand-in on some machines.
if have_cmd import && ! have_pkg imagemagick; then need+=(imagemagick); fi

if [ ${#need[@]} -eq 0 ]; then
    exit 0
fi

if [ "$(id -u)" -ne 0 ]; then
    echo "bootstrap: missing packages: ${need[*]}" >&2
    echo "bootstrap: run as root (or install them) and try again" >&2
    exit 1
fi

echo "bootstrap: installing ${need[*]}"
export DEBIAN_FRONTEND=noninteractive
here=$(dirname "$0")
if ! dpkg --print-foreign-architectures | grep -qx i386; then
    dpkg --add-architecture i386
    "$here/apt-update.sh" # the new architecture's indexes
else
    "$here/apt-update.sh" --if-stale
fi

# 32-bit Wine goes on its own: when the mirror's i386 index is out of reach,
# everything else still installs, and the 32-bit tiers say they were skipped
# because 32-bit Wine is missing instead of the whole build failing.
main=() i386=()
for p in "${need[@]}"; do
    case $p in *:i386) i386+=("$p") ;; *) main+=("$p") ;; esac
done
# Last, without recommended packages: 64-bit Wine recommends 32-bit Wine,
# which a mirror out of step cannot always give.
install() {
    apt-get install -y -qq "$@" >/dev/null && return 0
    "$here/apt-update.sh"
    apt-get install -y -qq "$@" >/dev/null && return 0
    apt-get install -y -qq --no-install-recommends "$@" >/dev/null
}
if [ ${#main[@]} -gt 0 ]; then
    install "${main[@]}"
fi
if [ ${#i386[@]} -gt 0 ] && ! install "${i386[@]}"; then
    echo "bootstrap: could not install ${i386[*]}; the 32-bit build will not be run here" >&2
    mkdir -p "$(dirname "$no_wine32")" && touch "$no_wine32"
fi
