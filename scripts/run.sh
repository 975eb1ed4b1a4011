#!/usr/bin/env bash
# The main job: builds everything and shows the embedded sample suite — its library
# catalogue per kind in search order, the contents of every library, and a search as the
# browser runs it.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/setup.sh"
k2k_build >/dev/null
suite="$K2K_BUILD/sample/suite"
k2klib="$K2K_BUILD/app/k2klib/k2klib"
echo "== The sample suite in $suite"
"$k2klib" catalogue --suite "$suite" --contents "$@"
echo
echo "== A search, as Find Now runs it: parts named 74*00*, with their project status"
"$k2klib" search --suite "$suite" --kind part --name '74*00*' --format tsv | cut -f1-5
echo
echo "== Shown: the library catalogue of the sample suite, per kind in search order, every" \
    "object of every library, and a part search (status 2: in the project, 4: used there)."
