#!/usr/bin/env bash
# Core and platform never include Qt: only the ui/ folders and the host program may.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
bad=$(git ls-files -co --exclude-standard -- \
        'host/*' 'search/*' 'browser/*' 'regtypes/*' 'simulation/*' 'dialogs/*' 'platform/*' \
        'app/k2klib/*' |
      grep -E '\.(h|hpp|cpp)$' | grep -v '/ui/' |
      xargs -r grep -nE '^\s*#\s*include\s*[<"](Q[A-Za-z]+|Qt[A-Za-z]*/)' || true)
if [ -n "$bad" ]; then
    echo "Qt is included outside the ui/ folders:"
    echo "$bad"
    exit 1
fi
echo "layers: no Qt in core, platform or k2klib"
