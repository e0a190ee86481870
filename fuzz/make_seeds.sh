#!/usr/bin/env bash
# Rebuilds the fuzzer's seed files: the documents in seed_docs/ written by
# nbltool, plus a few forms the program reads but never writes, made by hand.
# Usage: fuzz/make_seeds.sh [path to nbltool]   (default build/native/nbltool)
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
tool=${1:-$here/../build/native/nbltool}
out=$here/seeds
mkdir -p "$out"

for doc in "$here"/seed_docs/*.json; do
    "$tool" write "$doc" "$out/$(basename "$doc" .json).nbl"
done

class='\xff\xff\x00\x01\x0b\x00CRemindTask'
empty_fields() { head -c 35 /dev/zero; }

# A project written as 16-bit characters: "a", the euro sign, "b".
printf '\x00\x00\x01\x00\xff\xfe\xff\x03a\x00\xac\x20b\x00\x00\x00' >"$out/wide_string.nbl"
# The second task refers back to the first (object number 2).
{ printf '\x02\x00'"$class"; empty_fields; printf '\x02\x00\x00\x00\x00\x00'; } >"$out/back_reference.nbl"
# A null element in the task collection.
printf '\x01\x00\x00\x00\x00\x00\x00\x00' >"$out/null_element.nbl"
# A task count in the long form.
{ printf '\xff\xff\x01\x00\x00\x00'"$class"; empty_fields; printf '\x00\x00\x00\x00'; } >"$out/long_count.nbl"

for seed in "$out"/*.nbl; do
    "$tool" check "$seed"
done
