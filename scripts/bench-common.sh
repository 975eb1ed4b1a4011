# What the benchmark scripts share, sourced once they have set root (the source tree),
# build (the build folder) and jobs (compile jobs): fail, median, a check of the tools
# they need, and the Release build of k2klib in the build folder.

fail() {
    echo "bench: $*" >&2
    exit 1
}

# The median of the numbers on standard input, one a line.
median() { sort -n | awk '{v[NR] = $1} END {print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2}'; }

for tool in cmake ninja sha1sum /usr/bin/time; do
    command -v "$tool" >/dev/null || fail "$tool is missing (scripts/setup.sh installs it)"
done

echo "== Building k2klib (Release) in $build"
mkdir -p "$build"
if ! { cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DK2K_BENCHMARKS=OFF &&
    cmake --build "$build" --target k2klib -- -j"$jobs"; } >"$build/bench-build.log" 2>&1; then
    tail -30 "$build/bench-build.log" >&2
    fail "the build failed (log: $build/bench-build.log)"
fi
