#!/usr/bin/env bash
# The Clang build of fuzz.sh and sanitize.sh, in build-fuzz/ (K2K_FUZZ_BUILD names another):
# every object carries the coverage hooks and the address and undefined-behaviour checks.
# Sourced; it sources setup.sh, which installs what is missing and configures the build.
export CC=clang CXX=clang++
K2K_BUILD="${K2K_FUZZ_BUILD:-$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)/build-fuzz}"
source "$(dirname "${BASH_SOURCE[0]}")/setup.sh"

# A check's report names files and lines.
symbolizer="$(command -v llvm-symbolizer || true)"
export ASAN_OPTIONS="${ASAN_OPTIONS:-symbolize=1${symbolizer:+:external_symbolizer_path=$symbolizer}}"
export UBSAN_OPTIONS="${UBSAN_OPTIONS:-print_stacktrace=1}"
