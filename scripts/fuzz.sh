#!/usr/bin/env bash
# Fuzzing: builds the libFuzzer harnesses of fuzz/ with Clang in build-fuzz/ (address and
# undefined-behaviour checks on) and runs each for SECONDS (default 5) on a copy of its
# seed corpus, fuzz/corpus/NAME. Fails when any harness finds a crash, a failed check, a
# leak, a hang or memory beyond the limit; the input is saved in findings/NAME-*.
#   scripts/fuzz.sh [SECONDS] [NAME...]   NAMEs: only these harnesses
#   K2K_FUZZ_SKIP="NAME ..."              harnesses built but not run
set -euo pipefail

source "$(dirname "${BASH_SOURCE[0]}")/clang-build.sh"

seconds="${1:-5}"
[ $# -gt 0 ] && shift
names=("$@")
if [ ${#names[@]} -eq 0 ]; then
    for corpus in "$K2K_ROOT"/fuzz/corpus/*/; do
        names+=("$(basename "$corpus")")
    done
fi

targets=()
for name in "${names[@]}"; do
    targets+=("fuzz_$name")
done
cmake --build "$K2K_BUILD" --target "${targets[@]}" -- -j"$(nproc)"

findings="$K2K_ROOT/findings"
mkdir -p "$findings"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
# The harnesses' scratch files: in memory where the system offers it.
if [ -z "${TMPDIR:-}" ] && [ -w /dev/shm ]; then
    export TMPDIR=/dev/shm
fi

skip=" ${K2K_FUZZ_SKIP:-} "
failed=()
for name in "${names[@]}"; do
    if [[ "$skip" == *" $name "* ]]; then
        echo "fuzz: $name skipped (K2K_FUZZ_SKIP)"
        continue
    fi
    cp -r "$K2K_ROOT/fuzz/corpus/$name" "$work/$name"
    log="$work/$name.log"
    if "$K2K_BUILD/fuzz/fuzz_$name" -max_total_time="$seconds" -rss_limit_mb=1024 -timeout=20 \
        -artifact_prefix="$findings/$name-" "$work/$name" >"$log" 2>&1; then
        echo "fuzz: $name: $(grep -o 'Done [0-9]* runs' "$log" | tail -1 || true) in ${seconds} s, no finding"
    else
        tail -n 60 "$log"
        echo "fuzz: $name FAILED; the input is in $findings/"
        failed+=("$name")
    fi
done
if [ ${#failed[@]} -gt 0 ]; then
    echo "fuzz: findings in ${failed[*]}"
    exit 1
fi
