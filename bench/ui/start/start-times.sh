#!/bin/sh
# The host's start side by side with an empty Qt window, each shown and closed RUNS times
# (default 15), round after round so that the machine's load falls on all alike:
#   empty  the empty window (bench/ui/start/EmptyWindow.cpp)
#   plain  when EMPTY_WINDOW names a second program after a comma: the same widgets as a
#          start shows, made plainly (bench/ui/start/PlainWindows.cpp)
#   first  kalde2000 --suite SUITE --bench-start with new, empty settings and runtime folders
#   later  the same start again on the settings and runtime folder a first start left
# For each: the median, least and most of the whole process's time (exec to end, ms), and
# the median of its own shown_ms (main's beginning to the window painted).
# KALDE2000 may name several builds of the host, separated by commas (a build before a
# change and after it): each round then starts each of them in turn, and each gets its own
# first and later lines, numbered in the order given.
# It runs on the display of DISPLAY; for offscreen, run it with DISPLAY unset and
# QT_QPA_PLATFORM=offscreen.
#   start-times.sh KALDE2000[,KALDE2000...] EMPTY_WINDOW[,PLAIN_WINDOWS] SUITE [RUNS]
set -eu
hosts=$1 suite=$3 runs=${4:-15}
empty=${2%%,*}
plain=""
case $2 in *,*) plain=${2#*,} ;; esac
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

now_ns() { date +%s%N; }

# run NAME CONFIG RUNTIME COMMAND...: one timed run, its figures appended to NAME's files.
run() {
    name=$1 config=$2 runtime=$3
    shift 3
    start=$(now_ns)
    line=$(XDG_CONFIG_HOME=$config XDG_RUNTIME_DIR=$runtime "$@" 2>>"$work/$name.err" </dev/null)
    end=$(now_ns)
    echo $(((end - start) / 1000000)) >>"$work/$name.wall"
    printf '%s\n' "$line" | sed -n 's/.*shown_ms=\([0-9-]*\).*/\1/p' >>"$work/$name.shown"
}

fresh() { mktemp -d "$work/xdg.XXXXXX"; }

# The first start that leaves a host's folders; then the history boxes full, as a person's
# are after many searches: 25 entries in each of the option grids' boxes (up to 7 a kind,
# 4 kinds).
n=0
names=""
for host in $(printf '%s\n' "$hosts" | tr ',' ' '); do
    n=$((n + 1))
    mkdir "$work/later$n.config" "$work/later$n.runtime"
    XDG_CONFIG_HOME=$work/later$n.config XDG_RUNTIME_DIR=$work/later$n.runtime \
        "$host" --suite "$suite" --bench-start >/dev/null 2>&1 </dev/null
    for kind in 0 1 2 3; do
        for box in 1 2 3 4 5 6 7; do
            for index in $(seq 0 24); do
                echo "frmK32_LibBrowserEgridCbo$kind,$box,$index=entry $index of box $box*"
            done
        done
    done >>"$work/later$n.config/Kalde2000-settings/Kalde2000.ini"
    echo "$host" >"$work/host$n"
    if [ "$n" -eq 1 ]; then names="first later"; else names="$names first$n later$n"; fi
done
hostCount=$n

i=0
while [ "$i" -lt "$runs" ]; do
    run empty "$(fresh)" "$(fresh)" "$empty"
    [ -n "$plain" ] && run plain "$(fresh)" "$(fresh)" "$plain"
    n=1
    while [ "$n" -le "$hostCount" ]; do
        host=$(cat "$work/host$n")
        suffix=$n
        [ "$n" -eq 1 ] && suffix=""
        run "first$suffix" "$(fresh)" "$(fresh)" "$host" --suite "$suite" --bench-start
        run "later$suffix" "$work/later$n.config" "$work/later$n.runtime" \
            "$host" --suite "$suite" --bench-start
        n=$((n + 1))
    done
    i=$((i + 1))
done

median() { sort -n "$1" | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : int((v[NR / 2] + v[NR / 2 + 1]) / 2) }'; }
least() { sort -n "$1" | head -n 1; }
most() { sort -n "$1" | tail -n 1; }

if [ -n "${DISPLAY:-}" ]; then where="display $DISPLAY"; else where=${QT_QPA_PLATFORM:-offscreen}; fi
printf '%-6s %8s %6s %6s %9s   (ms, %s runs, %s)\n' what median least most shown_ms "$runs" "$where"
yardsticks=empty
[ -n "$plain" ] && yardsticks="empty plain"
for name in $yardsticks $names; do
    printf '%-6s %8s %6s %6s %9s\n' "$name" "$(median "$work/$name.wall")" \
        "$(least "$work/$name.wall")" "$(most "$work/$name.wall")" "$(median "$work/$name.shown")"
done
n=1
while [ "$n" -le "$hostCount" ]; do
    suffix=$n
    [ "$n" -eq 1 ] && suffix=""
    printf 'first%s/later%s: %s\n' "$suffix" "$suffix" "$(cat "$work/host$n")"
    n=$((n + 1))
done
