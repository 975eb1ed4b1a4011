#!/usr/bin/env bash
# All tests: the house checks (no Qt in core, formatting, sizes), the build with every warning,
# and every test through ctest.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/setup.sh"
"$K2K_ROOT/scripts/check-layers.sh"
"$K2K_ROOT/scripts/check-format.sh"
"$K2K_ROOT/scripts/check-sizes.sh"
k2k_build
ctest --test-dir "$K2K_BUILD" --output-on-failure -j"$(nproc)"
