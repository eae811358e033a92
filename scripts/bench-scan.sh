#!/usr/bin/env bash
# Compares the folder scan with the I/O floor on a warm corpus: each program
# runs 5 times, alternating, and the medians of the wall times are printed
# with their ratio.
#
# usage: scripts/bench-scan.sh [CORPUS] [RUNS]
#   CORPUS  folder of MP3 files (default $TMPDIR/corpus20k, else
#           /tmp/corpus20k; made with make_corpus.py beside the floor's source
#           when missing)
#   RUNS    runs of each program (default 5)
# Environment: SCAN_BENCH (default build/bin/scan_bench), IO_FLOOR_SRC (the
# floor's C source, default ../shared/bench/io_floor.c from the project's
# root).
set -euo pipefail
cd "$(dirname "$0")/.."

corpus=${1:-${TMPDIR:-/tmp}/corpus20k}
runs=${2:-5}
scan_bench=${SCAN_BENCH:-build/bin/scan_bench}
floor_src=${IO_FLOOR_SRC:-../shared/bench/io_floor.c}
floor_bin=${TMPDIR:-/tmp}/io_floor.$$

if [[ ! -x $scan_bench ]]; then
    echo "no $scan_bench: build first (scripts/build.sh)" >&2
    exit 1
fi
if [[ ! -f $floor_src ]]; then
    echo "no $floor_src: set IO_FLOOR_SRC" >&2
    exit 1
fi
# The program's files (tag library, skins) are those of the build it belongs to.
SV_BIN_DIR=$(realpath "$(dirname "$scan_bench")")
export SV_BIN_DIR
if [[ ! -d $corpus ]]; then
    echo "making the corpus in $corpus ..." >&2
    /usr/bin/python3 "$(dirname "$floor_src")/make_corpus.py" "$corpus" 20000
fi
gcc -O2 "$floor_src" -o "$floor_bin"
trap 'rm -f "$floor_bin"' EXIT

now() { date +%s.%N; }
elapsed() {  # command... -> seconds of wall time
    local start end
    start=$(now)
    "$@" >/dev/null
    end=$(now)
    echo "$end - $start" | bc -l
}
median() { sort -g | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }

# Warm the page cache and the directory entries.
"$floor_bin" "$corpus" >/dev/null
"$scan_bench" "$corpus" >/dev/null

floor_times=() scan_times=()
for ((i = 0; i < runs; i++)); do
    floor_times+=("$(elapsed "$floor_bin" "$corpus")")
    scan_times+=("$(elapsed "$scan_bench" "$corpus")")
done
floor=$(printf '%s\n' "${floor_times[@]}" | median)
scan=$(printf '%s\n' "${scan_times[@]}" | median)
files=$("$floor_bin" "$corpus" | awk '{ print $1 }')
printf 'files:      %s\n' "$files"
printf 'io_floor:   %.3f s (median of %d: %s)\n' "$floor" "$runs" "${floor_times[*]}"
printf 'scan_bench: %.3f s (median of %d: %s)\n' "$scan" "$runs" "${scan_times[*]}"
printf 'ratio:      %.2f (target: at most 1)\n' "$(echo "$scan / $floor" | bc -l)"
