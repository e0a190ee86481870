#!/usr/bin/env bash
# Registers the FrontPage stand-in in the test Wine prefix, or removes it.
#   scripts/frontpage-standin.sh register [version]   version: the CURVER text,
#                                                     "FrontPage.Explorer.2.0"
#   scripts/frontpage-standin.sh unregister
# The build is $NETBELL_BUILD (win32 or win64, by default the one this
# machine runs); the prefix is $WINEPREFIX, or that build's own. The stand-in refuses to register
# anywhere but under Wine. Once registered, COM starts it for a program that
# creates "FrontPage.Explorer.2.0" or "FrontPage.ToDoList.2.0"; it answers
# from the state file named by NETBELL_FP_STATE and logs to NETBELL_FP_LOG
# (Windows paths) in that program's environment, or by the values "State"
# and "Log" of HKCU\Software\NetbellTest\FrontPageStandIn.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
export NETBELL_BUILD=${NETBELL_BUILD:-$("$top/scripts/pick-build.sh")}
exe=$top/build/$NETBELL_BUILD/frontpage_standin.exe
if [ ! -f "$exe" ]; then
    echo "frontpage-standin: $exe is missing; run make $NETBELL_BUILD first" >&2
    exit 1
fi
case "${1:-}" in
register) exec "$top/scripts/with-wine.sh" wine "$exe" /RegServer ${2:-} ;;
unregister) exec "$top/scripts/with-wine.sh" wine "$exe" /UnregServer ;;
*)
    echo "usage: $0 register [version] | unregister" >&2
    exit 2
    ;;
esac
