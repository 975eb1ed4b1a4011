#!/usr/bin/env bash
# Installs what the build needs from Debian's packages (only what is missing), then
# configures the build folder. Sourced by the scripts.
set -euo pipefail

K2K_ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
K2K_BUILD="${K2K_BUILD:-$K2K_ROOT/build}"

K2K_PACKAGES=(g++ cmake ninja-build pkg-config python3 clang-format ccache
              qt6-base-dev libfontconfig-dev libsqlite3-dev googletest libgtest-dev libbenchmark-dev
              libcli11-dev libcsv-dev xvfb xauth time
              clang libclang-rt-dev llvm)

# The open-source EDA tool's symbol and footprint libraries, data only: installed without
# their recommended packages, which would bring the tool itself.
K2K_DATA_PACKAGES=(kicad-symbols kicad-footprints)

# k2k_install [apt-get options] -- packages: those not installed yet.
k2k_install() {
    local options=()
    while [ "$1" != "--" ]; do options+=("$1"); shift; done
    shift
    local missing=()
    for package in "$@"; do
        dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed" ||
            missing+=("$package")
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    echo "Installing: ${missing[*]}"
    local sudo=""
    [ "$(id -u)" -ne 0 ] && sudo="sudo"
    $sudo apt-get update -qq
    # apt's notes on debconf say nothing to the person waiting; its errors still show.
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq "${options[@]}" "${missing[@]}" \
        2> >(grep -v '^debconf: ' >&2) >/dev/null
}

k2k_install_missing() {
    k2k_install -- "${K2K_PACKAGES[@]}"
    k2k_install --no-install-recommends -- "${K2K_DATA_PACKAGES[@]}"
}

# The compiler cache, where there is one, for every build of the project.
K2K_LAUNCHER=()
if command -v ccache >/dev/null; then
    K2K_LAUNCHER=(-DCMAKE_C_COMPILER_LAUNCHER="${CMAKE_C_COMPILER_LAUNCHER:-ccache}"
                  -DCMAKE_CXX_COMPILER_LAUNCHER="${CMAKE_CXX_COMPILER_LAUNCHER:-ccache}")
fi

k2k_configure() {
    local werror=OFF
    [ -n "${CI:-}" ] && werror=ON
    cmake -S "$K2K_ROOT" -B "$K2K_BUILD" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
        -DK2K_WERROR="$werror" "${K2K_LAUNCHER[@]}" >/dev/null
}

# k2k_build [targets]: every target, or only those named.
k2k_build() {
    local targets=()
    [ $# -gt 0 ] && targets=(--target "$@")
    cmake --build "$K2K_BUILD" "${targets[@]}" -- -j"$(nproc)"
}

# k2k_build_quietly targets: the same, showing only how far the build is, as one line that
# counts up on a terminal (a line per tenth elsewhere). The build's whole output goes to
# build.log in the build folder; when a step fails, its lines are shown from there.
k2k_build_quietly() {
    local log="$K2K_BUILD/build.log"
    local terminal=0
    [ -t 1 ] && terminal=1
    k2k_build "$@" >"$log" 2>&1 </dev/null &
    local builder=$!
    # Ninja's status lines ("[12/80] Building CXX object ...") say how far it is.
    tail -n +1 -f --pid="$builder" "$log" 2>/dev/null | awk -v terminal="$terminal" '
        match($0, /^\[[0-9]+\/[0-9]+\]/) {
            split(substr($0, 2, RLENGTH - 2), n, "/")
            if (terminal) { printf "\rBuilding: step %d of %d", n[1], n[2]; fflush() }
            else if (int(10 * n[1] / n[2]) > shown) {
                shown = int(10 * n[1] / n[2]); printf "Building: step %d of %d\n", n[1], n[2]
                fflush()
            }
            seen = 1
        }
        END { if (terminal && seen) printf "\n" }'
    if ! wait "$builder"; then
        echo "The build failed; what it said (all of it is in $log):" >&2
        grep -v -E '^\[[0-9]+/[0-9]+\]' "$log" | tail -n 60 >&2
        return 1
    fi
}

# The compiler cache keys objects by paths relative to the checkout, so another clone or
# work tree of the project reuses them.
export CCACHE_BASEDIR="${CCACHE_BASEDIR:-$K2K_ROOT}"
export CCACHE_NOHASHDIR="${CCACHE_NOHASHDIR:-true}"

k2k_install_missing
# A script with a build of its own (K2K_NO_CONFIGURE=1) configures it itself.
[ -n "${K2K_NO_CONFIGURE:-}" ] || k2k_configure
