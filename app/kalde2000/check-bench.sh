#!/bin/sh
# The benchmark mode on a suite: one line on standard output with the nine figures, each a
# number, and rows found.
#   check-bench.sh KALDE2000 SUITE
set -eu
# A temporary folder of its own, as in check-commands.sh: another host's lock file must not
# make this one "another instance".
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
output=$(env -u XDG_RUNTIME_DIR TMPDIR="$tmp" "$1" --suite "$2" --bench-search part '*74*')
lines=$(printf '%s\n' "$output" | wc -l)
if [ "$lines" -ne 1 ]; then
    echo "expected one line, standard output was:"; printf '%s\n' "$output"
    exit 1
fi
for key in rows first_rows_ms all_rows_ms max_gap_ms stop_ms sort_ms find_in_list_ms \
           base_rss_mb peak_rss_mb; do
    if ! printf '%s\n' "$output" | grep -Eq "(^| )$key=-?[0-9]+(\.[0-9]+)?( |\$)"; then
        echo "no number for $key in: $output"
        exit 1
    fi
done
if printf '%s\n' "$output" | grep -q '^rows=0 '; then
    echo "the search found nothing: $output"
    exit 1
fi
