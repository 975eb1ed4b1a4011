#!/usr/bin/env bash
# The main job: builds the programs it runs (not the tests or benchmarks) and starts the host program kalde2000 on the embedded
# sample suite, which loads the Library Browser beside its own window.
#   With a display: both windows are shown; closing the host's window ends the program.
#   Without one: the program runs offscreen, searches each tab of the browser once (parts
#   named "74*", every symbol, package and padstack), prints the counts, writes a picture
#   of its windows and says where it is, then ends.
# --real (first): the same on real libraries: the open-source EDA tool's symbol and footprint
# libraries (Debian's data packages, which the setup installs) are imported into a copy of
# the sample suite in build/real/suite, the import's report is kept beside it, the parts
# found by a few keywords are counted, and the browser opens on that suite.
# Further arguments go to kalde2000 (--suite DIR, --screenshot FILE, --commands FILE|-).
set -euo pipefail
real=""
if [ "${1:-}" = "--real" ]; then
    real=1
    shift
fi
source "$(dirname "${BASH_SOURCE[0]}")/setup.sh"
k2k_build_quietly kalde2000 k2klib sample_suite
suite="$K2K_BUILD/sample/suite"
kalde2000="$K2K_BUILD/app/kalde2000/kalde2000"
if [ ! -x "$kalde2000" ]; then
    echo "kalde2000 was not built (Qt 6 Widgets missing?)" >&2
    exit 1
fi
if [ -n "$real" ]; then
    report="$K2K_BUILD/real/import-report.txt"
    rm -rf "$K2K_BUILD/real"
    mkdir -p "$K2K_BUILD/real"
    cp -r "$suite" "$K2K_BUILD/real/suite"
    suite="$K2K_BUILD/real/suite"
    echo "== Importing the libraries of /usr/share/kicad into $suite"
    # Characters the suite's encoding lacks get their stand-ins (listed in the report), so
    # no part is left out for one of them. A library lost stops here, with the report.
    if ! "$K2K_BUILD/app/k2klib/k2klib" import --suite "$suite" --replace-characters \
        >"$report"; then
        cat "$report" >&2
        exit 1
    fi
    tail -n 3 "$report"
    echo "== The whole report (characters replaced, objects left out, names several" \
        "libraries hold, what the suite has no place for): $report"
    # What designers search by: the parts whose keywords name each of these.
    for keyword in opamp ldo 'usb*'; do
        found=$("$K2K_BUILD/app/k2klib/k2klib" search --suite "$suite" --name '*' \
            --all-conditions --keywords "$keyword" --format tsv 2>/dev/null | tail -n +2 | wc -l)
        echo "== Parts with the keyword $keyword: $found"
    done
fi
echo "== The Library Browser on the suite in $suite"
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
    echo "== No display: the browser runs offscreen, searches each tab and ends"
    # The program never waits offscreen; the limit only guards against the unforeseen.
    timeout 120 "$kalde2000" --suite "$suite" "$@"
else
    exec "$kalde2000" --suite "$suite" "$@"
fi
