#!/usr/bin/env bash
# The project benchmark: "k2klib search" opening a project database of a million parts,
# for time and peak memory. Builds k2klib in Release in its own folder, generates the
# suite and its project once (and reuses them while the generator and the size stay the
# same), then prints the medians. See docs/benchmarks.md.
#
# Settings (environment): K2K_BENCH_BUILD (build folder, default build-release),
# K2K_BENCH_OBJECTS (1000000), K2K_BENCH_RUNS (5), K2K_BENCH_JOBS (compile jobs, default
# all cores), K2K_BENCH_K2KLIB (a k2klib to measure instead of the one built, for
# instance that of an older commit; the suite is still made by the one built).
set -euo pipefail
export LC_ALL=C

root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="${K2K_BENCH_BUILD:-$root/build-release}"
objects="${K2K_BENCH_OBJECTS:-1000000}"
runs="${K2K_BENCH_RUNS:-5}"
jobs="${K2K_BENCH_JOBS:-$(nproc)}"
folder="$build/bench-project"
suite="$folder/suite"
project="$folder/BENCH.K2K"
built="$build/app/k2klib/k2klib"
k2klib="${K2K_BENCH_K2KLIB:-$built}"
# A search that keeps one part: what is measured is opening the suite and the project.
name=SN74HC245D
goal_s=2
goal_mb=300

source "$root/scripts/bench-common.sh"

wanted="objects=$objects seed=1 generator=$(cat "$root"/synthetic/* "$root"/sketch/* "$root"/formats/LibraryFile.* "$root"/formats/DescriptionBuffer.* | sha1sum | cut -c1-12)"
stamp="$folder/bench-generated.txt"
if [ -f "$stamp" ] && [ -f "$project" ] && [ "$(cat "$stamp")" = "$wanted" ]; then
    echo "== Reusing $project ($objects parts)"
else
    echo "== Generating $objects parts in 100 libraries and a project of them in $folder"
    rm -rf "$folder"
    mkdir -p "$folder"
    "$built" generate --suite "$suite" --kind part --objects "$objects" --libraries 100 \
        --seed 1 --project "$project"
    echo "$wanted" >"$stamp"
fi

# run [--project]: one search, printing "seconds kilobytes cpu-seconds".
run() {
    /usr/bin/time -f "%e %M %U %S" -o "$folder/time.txt" "$k2klib" search --suite "$suite" "$@" \
        --kind part --name "$name" --format tsv >"$folder/out.txt" 2>"$folder/err.txt" ||
        fail "k2klib search failed: $(head -3 "$folder/err.txt")"
    [ ! -s "$folder/err.txt" ] || fail "k2klib search said: $(head -3 "$folder/err.txt")"
    tail -1 "$folder/time.txt" | awk '{print $1, $2, $3 + $4}'
}

echo "== $runs runs of each, interleaved, after one warm-up run (the files are in the page cache)"
run --project "$project" >/dev/null
: >"$folder/with.txt"
: >"$folder/without.txt"
for ((i = 1; i <= runs; i++)); do
    run --project "$project" >>"$folder/with.txt"
    run >>"$folder/without.txt"
done
with_s=$(cut -d' ' -f1 "$folder/with.txt" | median)
with_kb=$(cut -d' ' -f2 "$folder/with.txt" | median)
with_cpu=$(cut -d' ' -f3 "$folder/with.txt" | median)
without_s=$(cut -d' ' -f1 "$folder/without.txt" | median)
without_kb=$(cut -d' ' -f2 "$folder/without.txt" | median)
without_cpu=$(cut -d' ' -f3 "$folder/without.txt" | median)

echo
echo "Machine: $(grep -m1 'model name' /proc/cpuinfo | cut -d: -f2 | sed 's/^ *//'), $(nproc) cores;" \
    "load average $(cut -d' ' -f1-3 /proc/loadavg)"
echo "Project: $(du -b "$project" | cut -f1) bytes; medians of $runs runs"
printf '%-16s %9s %9s %14s\n' "" "wall s" "CPU s" "peak RSS MiB"
awk -v s="$with_s" -v c="$with_cpu" -v k="$with_kb" \
    'BEGIN {printf "%-16s %9.2f %9.2f %14.1f\n", "with project", s, c, k / 1024}'
awk -v s="$without_s" -v c="$without_cpu" -v k="$without_kb" \
    'BEGIN {printf "%-16s %9.2f %9.2f %14.1f\n", "without project", s, c, k / 1024}'
echo "(CPU s: user and system time; on a shared machine the wall time waits for a core too.)"
echo
echo "Goals: with the project at most $goal_s s and $goal_mb MB ($((goal_mb * 1000000 / 1048576)) MiB)."
if awk -v s="$with_s" -v k="$with_kb" -v gs="$goal_s" -v gm="$goal_mb" \
    'BEGIN {exit !(s <= gs && k * 1024 <= gm * 1e6)}'; then
    echo "== Every goal is met."
else
    echo "== A goal is missed."
    exit 1
fi
