#!/usr/bin/env bash
# Every test under the address and undefined-behaviour checks: builds the test programs in
# the Clang build of scripts/fuzz.sh (build-fuzz/, where every object already carries the
# checks, so the libraries are compiled once for both) and runs them through ctest. Any
# report fails its test: an undefined behaviour or a bad access stops the program, and a
# leak fails it when it ends.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/clang-build.sh"

# The benchmarks measure speed; under the checks they would measure nothing.
cmake -S "$K2K_ROOT" -B "$K2K_BUILD" -DK2K_BENCHMARKS=OFF >/dev/null
k2k_build
ctest --test-dir "$K2K_BUILD" --output-on-failure -j"$(nproc)"
