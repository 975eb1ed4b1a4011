#!/usr/bin/env bash
# The layers point down only.
#   1. Core and platform never include Qt: only the ui/ folders and the host program may.
#   2. A core folder includes only the folders below it (and itself):
#        platform   the stand-ins of the suite and the system
#        common     the helpers every subsystem shares: numbered messages, the pattern
#                   language, the comma-field split, INI key deletes
#        search, regtypes, simulation, dialogs   the subsystems, side by side
#        host       the application layer: commands and status, folders, simulator models
#        browser    the component: its state, start-up and the window's rules
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."

sources() { git ls-files -co --exclude-standard -- "$@" | grep -E '\.(h|hpp|cpp)$' || true; }

bad=$(sources 'host/*' 'common/*' 'search/*' 'browser/*' 'regtypes/*' 'simulation/*' \
              'dialogs/*' 'platform/*' 'app/k2klib/*' | grep -v '/ui/' |
      xargs -r grep -nE '^\s*#\s*include\s*[<"](Q[A-Za-z]+|Qt[A-Za-z]*/)' || true)
if [ -n "$bad" ]; then
    echo "Qt is included outside the ui/ folders:"
    echo "$bad"
    exit 1
fi

declare -A below=(
    [platform]="platform"
    [common]="platform common"
    [search]="platform common search"
    [regtypes]="platform common regtypes"
    [simulation]="platform common simulation"
    [dialogs]="platform common dialogs"
    [host]="platform common search regtypes simulation dialogs host"
    [browser]="platform common search regtypes simulation dialogs host browser"
)
status=0
for folder in "${!below[@]}"; do
    while IFS=: read -r file line target; do
        [ -z "$file" ] && continue
        allowed=0
        for ok in ${below[$folder]}; do
            [ "$target" = "$ok" ] && allowed=1
        done
        if [ $allowed -eq 0 ]; then
            echo "$file:$line: $folder/ includes $target/, which is not below it"
            status=1
        fi
    done < <(sources "$folder/*" | grep -v '/ui/' |
             xargs -r grep -noE '^\s*#\s*include\s*"[a-z0-9_]+/' |
             sed -E 's/^([^:]*):([0-9]+):.*"([a-z0-9_]+)\/$/\1:\2:\3/')
done
[ $status -eq 0 ] || exit 1
echo "layers: no Qt in core, platform or k2klib; core folders include only those below them"
