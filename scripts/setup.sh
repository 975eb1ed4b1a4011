#!/usr/bin/env bash
# Installs what the build needs from Debian's packages (only what is missing), then
# configures the build folder. Sourced by run.sh and test.sh.
set -euo pipefail

K2K_ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
K2K_BUILD="${K2K_BUILD:-$K2K_ROOT/build}"

K2K_PACKAGES=(g++ cmake ninja-build pkg-config python3 clang-format ccache
              qt6-base-dev libsqlite3-dev googletest libgtest-dev libbenchmark-dev
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
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq "${options[@]}" "${missing[@]}" \
        >/dev/null
}

k2k_install_missing() {
    k2k_install -- "${K2K_PACKAGES[@]}"
    k2k_install --no-install-recommends -- "${K2K_DATA_PACKAGES[@]}"
}

k2k_configure() {
    local werror=OFF
    [ -n "${CI:-}" ] && werror=ON
    local launcher=()
    if command -v ccache >/dev/null; then
        launcher=(-DCMAKE_C_COMPILER_LAUNCHER="${CMAKE_C_COMPILER_LAUNCHER:-ccache}"
                  -DCMAKE_CXX_COMPILER_LAUNCHER="${CMAKE_CXX_COMPILER_LAUNCHER:-ccache}")
    fi
    cmake -S "$K2K_ROOT" -B "$K2K_BUILD" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
        -DK2K_WERROR="$werror" "${launcher[@]}" >/dev/null
}

k2k_build() {
    cmake --build "$K2K_BUILD" -- -j"$(nproc)"
}

# The compiler cache keys objects by paths relative to the checkout, so another clone or
# work tree of the project reuses them.
export CCACHE_BASEDIR="${CCACHE_BASEDIR:-$K2K_ROOT}"
export CCACHE_NOHASHDIR="${CCACHE_NOHASHDIR:-true}"

k2k_install_missing
k2k_configure
