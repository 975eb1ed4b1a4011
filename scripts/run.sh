#!/usr/bin/env bash
# The main job: builds everything and shows the embedded sample suite — its library
# catalogue per kind in search order and the contents of every library.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/setup.sh"
k2k_build >/dev/null
suite="$K2K_BUILD/sample/suite"
echo "== The sample suite in $suite"
"$K2K_BUILD/app/k2klib/k2klib" catalogue --suite "$suite" --contents "$@"
echo "== Shown: the library catalogue of the sample suite in $suite, per kind in search order, and every object of every library."
