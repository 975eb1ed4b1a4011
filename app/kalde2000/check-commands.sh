#!/bin/sh
# The scripted host, offscreen: commands from standard input, every NotifyServer on
# standard output, and nothing after the browser's "SHUTDOWN".
#   check-commands.sh KALDE2000 SUITE PICTURE
set -eu
rm -f "$3"
# A temporary folder of its own, so that a host running elsewhere on the machine (whose
# lock file says "another instance") does not stop this one.
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
output=$(printf 'K2KBRWSR,MN\nk2kbrwsr,EX\nAll,DF\nK2KBRWSR,EX\nK2KBRWSR,MN\n' |
         env -u DISPLAY -u WAYLAND_DISPLAY -u XDG_RUNTIME_DIR TMPDIR="$tmp" "$1" --suite "$2" --commands - \
             --screenshot "$3")
expected=$(printf 'K2KBRWSR\tSHUTDOWN')
if [ "$output" != "$expected" ]; then
    echo "standard output was:"; echo "$output"
    exit 1
fi
test -s "$3" || { echo "no picture at $3"; exit 1; }
