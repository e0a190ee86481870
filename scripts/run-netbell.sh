#!/usr/bin/env bash
# Starts the program under Wine: on the desktop's display when there is one,
# otherwise under a private Xvfb.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
exec "$top/scripts/with-wine.sh" wine "$top/build/win32/netbell.exe" "$@"
