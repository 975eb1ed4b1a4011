#!/bin/sh
# The start-up benchmark offscreen, a first start and a later one: each prints one line
# with shown_ms and closed_ms, and the first closes as a person closes, so that it leaves
# the settings the later one starts with.
#   check-start.sh KALDE2000 SUITE
set -eu
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
mkdir -m 700 "$tmp/config" "$tmp/runtime"
for start in first later; do
    output=$(env -u DISPLAY -u WAYLAND_DISPLAY XDG_CONFIG_HOME="$tmp/config" \
             XDG_RUNTIME_DIR="$tmp/runtime" TMPDIR="$tmp" "$1" --suite "$2" --bench-start \
             </dev/null)
    if [ "$(printf '%s\n' "$output" | wc -l)" -ne 1 ] ||
       ! printf '%s\n' "$output" | grep -Eq '^shown_ms=[0-9]+ closed_ms=[0-9]+$'; then
        echo "$start start: expected one line of figures, standard output was:"
        printf '%s\n' "$output"
        exit 1
    fi
    if ! ls "$tmp/config"/*/*.ini >/dev/null 2>&1; then
        echo "$start start: the close kept no settings in $tmp/config"
        exit 1
    fi
done
