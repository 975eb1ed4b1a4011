#!/usr/bin/env bash
# The tests of the search's threads under the thread checks. A Clang build of its own, in
# build-tsan/ (K2K_TSAN_BUILD names another), where every object carries the checks, of
# two test programs only: the search's tests, and pacing_tests, the window's tests of the
# result lists and their pacing, which take the rows while the workers find them. There
# are no suppressions: any report fails the run (the program then ends with code 66).
#
# The other window tests stay out: a window that scales a large picture (the splash at
# every start) has Qt do it on Qt's own pooled threads, whose locking happens inside the
# Qt libraries, where the checks cannot see it, so each such scaling is reported as a
# race inside Qt. The result-list and pacing tests run a real search with its workers, the
# window's list models and the feedback that paces their rows, but show no window and
# start no thread of Qt's.
set -euo pipefail
export CC=clang CXX=clang++
K2K_BUILD="${K2K_TSAN_BUILD:-$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)/build-tsan}"
source "$(dirname "${BASH_SOURCE[0]}")/setup.sh"

cmake -S "$K2K_ROOT" -B "$K2K_BUILD" -DK2K_TSAN=ON -DK2K_FUZZ=OFF -DK2K_BENCHMARKS=OFF >/dev/null
cmake --build "$K2K_BUILD" --target search_tests pacing_tests -- -j"$(nproc)"

# A report names files and lines.
symbolizer="$(command -v llvm-symbolizer || true)"
export TSAN_OPTIONS="${TSAN_OPTIONS:-${symbolizer:+external_symbolizer_path=$symbolizer}}"
"$K2K_BUILD/tests/search_tests"
"$K2K_BUILD/tests/pacing_tests"
