#!/usr/bin/env bash
# nbltool check of a data file of 100,000 random tasks (about 100 MB, made
# once by make_random_nbl) against cat of the same file, in one run: each
# timed from the shell, process start included, the file in the page cache;
# the median of several runs of each. Peak memory from /usr/bin/time -v, or
# from getrusage through Python where that tool is missing.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
cd "$top"
native=build/native
runs=${CHECK_BENCH_RUNS:-7}
tasks=${CHECK_BENCH_TASKS:-100000}
file=build/bench/random-$tasks.nbl
# Another build of the tool may be named instead.
tool=${NBLTOOL:-$native/nbltool}

cmake "$native" >/dev/null
cmake --build "$native" --target nbltool make_random_nbl >/dev/null
if [ ! -f "$file" ]; then
    mkdir -p "$(dirname "$file")"
    "$native/make_random_nbl" "$file" "$tasks"
fi
bytes=$(stat -c %s "$file")

# Milliseconds of one run of the command, from the shell's clock.
elapsed_ms() {
    local t0=$EPOCHREALTIME
    "$@" >/dev/null
    local t1=$EPOCHREALTIME
    awk -v a="$t0" -v b="$t1" 'BEGIN { printf "%.3f\n", (b - a) * 1000 }'
}

median_ms() {
    local samples=()
    for ((i = 0; i < runs; i++)); do
        samples+=("$(elapsed_ms "$@")")
    done
    printf '%s\n' "${samples[@]}" | sort -g | sed -n "$(((runs + 1) / 2))p"
}

peak_kb() {
    if [ -x /usr/bin/time ]; then
        /usr/bin/time -v "$@" 2>&1 >/dev/null | sed -n 's/.*Maximum resident set size (kbytes): //p'
    else
        python3 -c 'import resource, subprocess, sys
subprocess.run(sys.argv[1:], stdout=subprocess.DEVNULL, check=True)
print(resource.getrusage(resource.RUSAGE_CHILDREN).ru_maxrss)' "$@"
    fi
}

"$tool" check "$file" || { echo "check bench: nbltool refused the file" >&2; exit 1; }
cat "$file" >/dev/null
cat_ms=$(median_ms cat "$file")
check_ms=$(median_ms "$tool" check "$file")
cat_kb=$(peak_kb cat "$file")
check_kb=$(peak_kb "$tool" check "$file")

awk -v tasks="$tasks" -v bytes="$bytes" -v runs="$runs" -v cat_ms="$cat_ms" -v check_ms="$check_ms" \
    -v cat_kb="$cat_kb" -v check_kb="$check_kb" 'BEGIN {
    mb = bytes / 1e6
    printf "check: %d tasks, %.1f MB, median of %d runs each\n", tasks, mb, runs
    printf "check:   cat             %8.1f ms  peak %7.1f MB\n", cat_ms, cat_kb / 1024
    printf "check:   nbltool check   %8.1f ms  peak %7.1f MB  %6.0f MB/s\n", check_ms, check_kb / 1024, mb * 1000 / check_ms
    printf "check ratio (nbltool check / cat): %.1f; peak memory / file size: %.2f\n", check_ms / cat_ms, check_kb * 1024 / bytes
}'
