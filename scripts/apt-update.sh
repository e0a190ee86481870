#!/usr/bin/env bash
# apt-get update that survives a mirror caught mid-sync: it tries a few
# times, and when an index still fails it goes on with what it has (apt keeps
# every index that did download, and an i386 security index out of step
# leaves the main one usable), so a mirror fault does not stop the build.
# Installing then says plainly if a package cannot be had.
# --if-stale: do nothing when the indexes were updated in the last half hour
# (CI updates first, then the bootstrap installs).
set -uo pipefail
export DEBIAN_FRONTEND=noninteractive
if [ "$(id -u)" -ne 0 ]; then
    echo "apt-update: not root; package indexes left as they are" >&2
    exit 0
fi
stamp=/var/tmp/netbell-apt-updated
if [ "${1:-}" = --if-stale ] && [ -n "$(find "$stamp" -mmin -30 2>/dev/null)" ]; then
    exit 0
fi
tries=${APT_UPDATE_TRIES:-3}
for ((i = 1; i <= tries; i++)); do
    if apt-get update -qq; then
        touch "$stamp"
        exit 0
    fi
    [ "$i" -lt "$tries" ] && sleep $((i * 10))
done
touch "$stamp"
echo "apt-update: some package indexes did not download after $tries tries; going on with the ones that did" >&2
exit 0
