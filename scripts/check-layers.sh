#!/usr/bin/env bash
# The layers point down only. Every source file is checked, windows and programs included.
#   1. Qt only in the ui/ folders (tests/X/ui and bench/ui among them) and the host program
#      and its tests (app/kalde2000); never in core, platform, k2klib or the fuzzers.
#   2. A folder includes only itself and the folders below it, from the bottom up:
#        system     the stand-ins of the operating system: files read whole and written
#                   atomically, locks, native paths, folder listings, shared objects, large
#                   memory, 8-bit text
#        formats    the file formats: library files, the project database, drawings, INI
#                   files, the help file, the names and texts every store takes
#        platform   the stand-ins of the suite: the kernel, the suite services, file
#                   operations, the settings store, message boxes; in ui/ the grid, the
#                   viewers, the help window, message boxes and the query box
#        common     the helpers every subsystem shares: kinds, numbered messages, the
#                   pattern language, the comma-field split, the browser's settings keys
#        search, regtypes, simulation, options   the subsystems, side by side
#        services   the application services: commands and status, folders, simulator
#                   models, help topics, window placement, fonts
#        browser    the component: its state, start-up and the window's rules; in ui/ its
#                   windows, the host class clsKldbrwsr and the splash
#      X/ui includes what X includes, and the ui/ folders of those.
#   3. The library tool's rooms, in their own block below.
#   4. On top: app/k2klib any core folder and the rooms; app/kalde2000 anything. tests/X
#      what X includes, and support/ (its SmallSuite stands on search); tests/X/ui what X/ui
#      includes, and support/ and support/ui/ (the widget driver; the browser's fixtures
#      stand on browser/ui); tests/app every core folder, tests/app/kalde2000 everything.
#      bench and fuzz every core folder, bench/ui everything.
#      The sample's model libraries include platform only.
#   Includes are written from the root ("search/ResultList.h") or name a file of the same
#   folder ("CsvTable.h"); one that climbs ("../") is refused.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."

core=(system formats platform common search regtypes simulation options services browser)
declare -A below=(
    [system]="system"
    [formats]="system formats"
    [platform]="system formats platform"
    [common]="system formats platform common"
    [search]="system formats platform common search"
    [regtypes]="system formats platform common regtypes"
    [simulation]="system formats platform common simulation"
    [options]="system formats platform common options"
    [services]="system formats platform common search regtypes simulation options services"
    [browser]="system formats platform common search regtypes simulation options services browser"
)
with_ui() { for folder in "$@"; do printf '%s %s/ui ' "$folder" "$folder"; done; }

# What the files of a zone may include; a zone is a core folder, its ui/, or a top folder.
declare -A allowed
for folder in "${core[@]}"; do
    allowed[$folder]="${below[$folder]}"
    allowed[$folder/ui]="$(with_ui ${below[$folder]})"
    allowed[tests/$folder]="${below[$folder]} support"
    allowed[tests/$folder/ui]="$(with_ui ${below[$folder]}) support support/ui"
done
everything="$(with_ui "${core[@]}")"
allowed[app/k2klib]="${core[*]}"
allowed[app/kalde2000]="$everything"
allowed[tests/support]="${below[search]} support"
allowed[tests/app]="${core[*]} support"
allowed[tests/support/ui]="$everything support support/ui"
allowed[tests/app/kalde2000]="$everything support support/ui"
allowed[bench]="${core[*]}"
allowed[bench/ui]="$everything"
allowed[fuzz]="${core[*]}"
allowed[sample]="platform"
qt_zones=" app/kalde2000 tests/app/kalde2000 bench/ui "

# --- The library tool's rooms: folders beside each other on the core, below app/k2klib,
# each including the core folders it stands on and the rooms before it in this list; none
# includes app/, and none includes a room after it (the drawing vocabulary never includes
# the import, say). tests/ROOM includes what ROOM includes, and support/. app/k2klib and
# tests/app include every room; bench the synthetic suites, fuzz the sources and the import.
#   sketch     the drawing vocabulary and the sample suite's drawings   (platform)
#   sources    the CSV sources of libraries and the texts they become   (search and below)
#   kicad      the import of the open-source EDA tool's libraries       (sketch, sources)
#   synthetic  the synthetic suites of tests and benchmarks             (sketch, sources, services)
rooms=(sketch sources kicad synthetic)
declare -A room_includes=(
    [sketch]="${below[platform]} sketch"
    [sources]="${below[search]} sources"
    [kicad]="${below[search]} sketch sources kicad"
    [synthetic]="${below[services]} sketch sources synthetic"
)
for room in "${rooms[@]}"; do
    allowed[$room]="${room_includes[$room]}"
    allowed[tests/$room]="${room_includes[$room]} support"
done
allowed[app/k2klib]+=" ${rooms[*]}"
allowed[tests/app]+=" ${rooms[*]}"
allowed[bench]+=" sketch sources synthetic"
allowed[fuzz]+=" sketch sources kicad"
# --- end of the rooms

# One pass of awk over every include line ("file:line:text"); the zones' rules come first.
rules() { for zone in "${!allowed[@]}"; do echo "$zone|${allowed[$zone]}"; done; }
includes() {
    git ls-files -co --exclude-standard | grep -E '\.(h|hpp|c|cpp)$' |
        xargs -r grep -HnE '^\s*#\s*include\s*[<"]' || true
}
awk -v qtZones="$qt_zones" -v coreList="${core[*]} ${rooms[*]}" '
    function zone(path,   p) { # the zone of a file, or "" outside every zone
        split(path, p, "/")
        if (p[1] in isCore) return p[2] == "ui" ? p[1] "/ui" : p[1]
        if (p[1] == "tests" && (p[1] "/" p[2] "/" p[3]) in allowed) return p[1] "/" p[2] "/" p[3]
        if (p[1] == "app" || p[1] == "tests")
            return (p[1] "/" p[2]) in allowed ? p[1] "/" p[2] : ""
        if (p[1] == "bench") return p[2] == "ui" ? "bench/ui" : "bench"
        if (p[1] == "fuzz" || p[1] == "sample") return p[1]
        return ""
    }
    function target(path,   p) { # the zone an included path lies in
        if (path ~ /(^|\/)\.\.\//) return ".."
        if (path !~ /\//) return "."            # a file of the same folder
        split(path, p, "/")
        if (p[1] in isCore) return p[2] == "ui" ? p[1] "/ui" : p[1]
        if (p[1] == "support") return p[2] == "ui" ? "support/ui" : "support"
        if (p[1] ~ /^(app|tests|bench|fuzz|sample)$/) return p[1] # never from the root
        return "external"
    }
    BEGIN {
        n = split(coreList, c, " ")
        for (i = 1; i <= n; ++i) isCore[c[i]] = 1
    }
    FNR == NR { # the rules
        split($0, r, "|")
        allowed[r[1]] = " " r[2] " "
        next
    }
    {
        file = $0; sub(/:.*/, "", file)
        rest = substr($0, length(file) + 2)
        line = rest; sub(/:.*/, "", line)
        text = substr(rest, length(line) + 2)
        z = zone(file)
        if (z == "") next
        inc = text
        sub(/^[ \t]*#[ \t]*include[ \t]*[<"]/, "", inc)
        sub(/[>"].*/, "", inc)
        if (text ~ /[<"](Q[A-Za-z]+|Qt[A-Za-z]*\/)/) {
            if (z !~ /\/ui$/ && index(qtZones, " " z " ") == 0) {
                print file ":" line ": Qt (" inc ") outside ui/ and the host program"
                bad = 1
            }
            next
        }
        t = target(inc)
        if (t == "." || t == "external") next
        if (t == "..") {
            print file ":" line ": " inc " climbs out of its folder; name it from the root"
            bad = 1
        } else if (index(allowed[z], " " t " ") == 0) {
            print file ":" line ": " z "/ includes " t "/, which is not below it"
            bad = 1
        }
    }
    END { exit bad }
' <(rules) <(includes) || exit 1
echo "layers: Qt only in ui/ and the host program; each folder includes only those below"
