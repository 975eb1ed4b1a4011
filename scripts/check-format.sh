#!/usr/bin/env bash
# The tree follows .clang-format.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
files=$(git ls-files -co --exclude-standard | grep -E '\.(h|cpp)$' || true)
if [ -n "$files" ] && ! echo "$files" | xargs clang-format --dry-run -Werror 2>/tmp/k2k-format.txt; then
    head -40 /tmp/k2k-format.txt
    echo "format: files differ from .clang-format (run: clang-format -i FILE)"
    exit 1
fi
echo "format: every file follows .clang-format"
