#!/usr/bin/env bash
# The main job: builds everything and starts the host program kalde2000 on the embedded
# sample suite, which loads the Library Browser beside its own window.
#   With a display: both windows are shown; closing the host's window ends the program.
#   Without one: the program runs offscreen, searches each tab of the browser once (parts
#   named "74*", every symbol, package and padstack), prints the counts, writes a picture
#   of its windows and says where it is, then ends.
# Further arguments go to kalde2000 (--suite DIR, --screenshot FILE, --commands FILE|-).
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/setup.sh"
k2k_build >/dev/null
suite="$K2K_BUILD/sample/suite"
kalde2000="$K2K_BUILD/app/kalde2000/kalde2000"
if [ ! -x "$kalde2000" ]; then
    echo "kalde2000 was not built (Qt 6 Widgets missing?)" >&2
    exit 1
fi
echo "== The Library Browser on the sample suite in $suite"
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
    echo "== No display: the browser runs offscreen, searches each tab and ends"
    # The program never waits offscreen; the limit only guards against the unforeseen.
    timeout 120 "$kalde2000" --suite "$suite" "$@"
else
    exec "$kalde2000" --suite "$suite" "$@"
fi
