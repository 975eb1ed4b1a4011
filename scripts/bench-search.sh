#!/usr/bin/env bash
# The search benchmark: "k2klib search" over a million part descriptions against
# "LC_ALL=C grep" over the same descriptions as text, side by side in one run, for time
# and peak memory. Builds k2klib in Release in its own folder, generates the suite once
# (and reuses it while the generator and the sizes stay the same), then prints a table.
# See docs/benchmarks.md.
#
# Settings (environment): K2K_BENCH_BUILD (build folder, default build-release),
# K2K_BENCH_OBJECTS (1000000), K2K_BENCH_LIBRARIES (100), K2K_BENCH_RUNS (5),
# K2K_BENCH_JOBS (compile jobs, default all cores).
set -euo pipefail
# Bytes are bytes for every tool here, grep above all.
export LC_ALL=C

root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="${K2K_BENCH_BUILD:-$root/build-release}"
objects="${K2K_BENCH_OBJECTS:-1000000}"
libraries="${K2K_BENCH_LIBRARIES:-100}"
runs="${K2K_BENCH_RUNS:-5}"
jobs="${K2K_BENCH_JOBS:-$(nproc)}"
suite="$build/bench-suite"
export_file="$suite/parts.txt"
scratch="$build/bench-out"
k2klib="$build/app/k2klib/k2klib"

# Name pattern of the search | grep's regular expression for the same lines | what it is |
# the search's time goal, as a ratio to grep's.
# grep is anchored to the name field (the text before the first TAB), so that it matches
# names as the search does, not descriptions. The names are upper case, as the search's
# patterns are when match case is off, so grep needs no -i to select the same lines.
tab=$'\t'
cases=(
    "*74*|^[^$tab]*74|broad, about 40 % of the parts|0.8"
    "*PC817*|^[^$tab]*PC817|selective, about 0.1 % of the parts|1.0"
    "*NO~MATCH*|^[^$tab]*NO~MATCH|nothing|1.5"
)

# --- (a) the Release build of the tool
source "$root/scripts/bench-common.sh"

# --- (b) the suite and its export, generated once
wanted="objects=$objects libraries=$libraries seed=1 generator=$(cat "$root"/synthetic/* "$root"/sketch/* "$root"/formats/LibraryFile.* "$root"/formats/DescriptionBuffer.* | sha1sum | cut -c1-12)"
stamp="$suite/bench-generated.txt"
if [ -f "$stamp" ] && [ -f "$export_file" ] && [ "$(cat "$stamp")" = "$wanted" ]; then
    echo "== Reusing the suite $suite ($objects parts in $libraries libraries)"
else
    echo "== Generating $objects parts in $libraries libraries in $suite"
    rm -rf "$suite"
    "$k2klib" generate --suite "$suite" --kind part --objects "$objects" \
        --libraries "$libraries" --seed 1 --export "$export_file"
    echo "$wanted" >"$stamp"
fi
rm -rf "$scratch"
mkdir -p "$scratch"

# The fixed memory base: a search that keeps one part runs every piece of code that a
# search keeping many runs (and so has the same program pages in memory), but keeps
# nothing to speak of. Its pattern is the exact name of the first plain-named part.
base_name=$(grep -m1 -E "^[A-Z0-9]+$tab" "$export_file" | cut -f1)
[ -n "$base_name" ] || fail "no plain part name in $export_file for the memory base"
cases+=("$base_name|^$base_name$tab|one part: the fixed memory base|1.5")

# --- (c) and (d): timed runs with their peak memory
# measure OUTPUT COMMAND...: runs the command once with its output in OUTPUT and prints
# "microseconds kilobytes": the wall time less the cost of starting a command through
# the measuring (see below), and the peak resident memory. Output goes to a file, not to
# /dev/null: GNU grep notices /dev/null and stops at the first match, which would not
# be a fair race.
launch_us=0
measure() {
    local output="$1"
    shift
    local start end status=0
    start=$(date +%s%N)
    /usr/bin/time -f %M -o "$scratch/rss.txt" "$@" >"$output" 2>"$scratch/stderr.txt" || status=$?
    end=$(date +%s%N)
    # grep answers 1 when nothing matches; anything else is a failure.
    if [ "$status" -ne 0 ] && ! { [ "$status" -eq 1 ] && [ "$1" = grep ]; }; then
        cat "$scratch/stderr.txt" >&2
        fail "$* answered $status"
    fi
    local us=$(((end - start) / 1000 - launch_us))
    echo "$((us > 0 ? us : 0)) $(tail -1 "$scratch/rss.txt")"
}

maximum() { sort -n | tail -1; }

# Does the search run on this suite? If not, the grep side still runs, so the suite, the
# export and the measuring are checked, and the script then fails saying why.
search_missing=""
if ! "$k2klib" search --suite "$suite" --kind part --name 'NO~MATCH' --format tsv \
    >"$scratch/probe.out" 2>"$scratch/probe.err"; then
    search_missing="k2klib search failed: $(head -3 "$scratch/probe.err")"
fi

# What starting a command that does nothing costs, measured the same way.
for ((run = 1; run <= 5; run++)); do
    measure /dev/null true
done | cut -d' ' -f1 | median >"$scratch/launch.txt"
launch_us=$(printf '%.0f' "$(cat "$scratch/launch.txt")")

echo "== $runs runs of each, interleaved, after one warm-up run (the files are in the page cache)"
declare -A hits kept grep_s grep_kb search_s search_kb
differ=0
grep_out="$scratch/grep.out"
search_out="$scratch/search.out"
for entry in "${cases[@]}"; do
    IFS='|' read -r pattern regex _ <<<"$entry"
    grep_run=(grep -e "$regex" "$export_file")
    search_run=("$k2klib" search --suite "$suite" --kind part --name "$pattern" --format tsv)
    measure "$grep_out" "${grep_run[@]}" >/dev/null
    [ -n "$search_missing" ] || measure "$search_out" "${search_run[@]}" >/dev/null
    : >"$scratch/grep.times"
    : >"$scratch/search.times"
    for ((run = 1; run <= runs; run++)); do
        [ -n "$search_missing" ] || measure "$search_out" "${search_run[@]}" >>"$scratch/search.times"
        measure "$grep_out" "${grep_run[@]}" >>"$scratch/grep.times"
    done
    hits["$pattern"]=$(wc -l <"$grep_out")
    kept["$pattern"]=$(wc -c <"$grep_out")
    grep_s["$pattern"]=$(cut -d' ' -f1 "$scratch/grep.times" | median)
    grep_kb["$pattern"]=$(cut -d' ' -f2 "$scratch/grep.times" | maximum)
    [ -z "$search_missing" ] || continue
    search_s["$pattern"]=$(cut -d' ' -f1 "$scratch/search.times" | median)
    search_kb["$pattern"]=$(cut -d' ' -f2 "$scratch/search.times" | maximum)
    # The search may print a header line; any other difference means the two did not
    # select the same objects.
    extra=$(($(wc -l <"$search_out") - ${hits[$pattern]}))
    if [ "$extra" -lt 0 ] || [ "$extra" -gt 1 ]; then
        echo "bench: for $pattern the search printed $extra lines more than grep" >&2
        differ=1
    fi
done

echo
echo "Times are medians less ${launch_us} us of starting a command; memory is the largest of the runs."
echo "Machine: $(grep -m1 'model name' /proc/cpuinfo | cut -d: -f2 | sed 's/^ *//'), $(nproc) cores;" \
    "$(grep --version | head -1)"
echo "Data: $objects parts in $libraries libraries, $(du -sb "$suite/LIB" | cut -f1) bytes of" \
    "library files; export $(wc -c <"$export_file") bytes"
echo

base_kb="${search_kb[$base_name]:-0}"
if [ -n "$search_missing" ]; then
    printf '%-12s %9s %9s %11s %12s\n' pattern hits "grep s" "grep RSS MB" "kept MB"
    for entry in "${cases[@]}"; do
        IFS='|' read -r pattern _ _ <<<"$entry"
        awk -v p="$pattern" -v h="${hits[$pattern]}" -v g="${grep_s[$pattern]}" \
            -v gk="${grep_kb[$pattern]}" -v k="${kept[$pattern]}" \
            'BEGIN {printf "%-12s %9d %9.3f %11.1f %12.1f\n", p, h, g / 1e6, gk / 1024, k / 1048576}'
    done
    echo
    fail "$search_missing; only grep was measured."
fi

printf '%-12s %9s %9s %9s %7s %14s %9s %7s\n' pattern hits "search s" "grep s" ratio \
    "search RSS MB" "kept MB" ratio
verdict=0
for entry in "${cases[@]}"; do
    IFS='|' read -r pattern _ _ goal <<<"$entry"
    awk -v p="$pattern" -v h="${hits[$pattern]}" -v s="${search_s[$pattern]}" -v goal="$goal" \
        -v g="${grep_s[$pattern]}" -v sk="${search_kb[$pattern]}" -v k="${kept[$pattern]}" \
        -v b="$base_kb" -v slack=1048576 '
        BEGIN {
            ratio = g > 0 ? s / g : 0
            memory = sk == b ? "   base" : k < 1048576 ? "      -" : sprintf("%7.2f", (sk - b) * 1024 / k)
            printf "%-12s %9d %9.3f %9.3f %7.2f %14.1f %9.1f %s\n", p, h, s / 1e6, g / 1e6, ratio,
                   sk / 1024, k / 1048576, memory
            if (ratio > goal || (sk - b) * 1024 > 1.5 * k + slack) exit 1
        }' || verdict=1
done
echo
echo "Goals: search time at most 0.8 x grep's on the same bytes for *74*, 1.0 x for *PC817*,"
echo "1.5 x for the others; search peak RSS at most the"
echo "base (a search that keeps one part) plus 1.5 x the kept descriptions, give or take"
echo "1 MB of measuring noise (the memory ratio is shown from 1 MB of kept descriptions up)."
if [ "$differ" -ne 0 ]; then
    echo "== The search and grep did not select the same parts; the figures mean nothing."
    exit 1
fi
if [ "$verdict" -ne 0 ]; then
    echo "== A goal is missed."
    exit 1
fi
echo "== Every goal is met."
