#!/usr/bin/env bash
# The Debian package: a Release build for /usr in build-package/ (only the two programs and
# the sample suite), made into a .deb by CPack, then checked with lintian. With --check it
# is also installed with dpkg, used from the installed paths (k2klib --version, a search on
# the installed sample suite, the browser offscreen on a suite of its own, made from the
# installed sample), and removed again; nothing of it may be left. Installing needs root.
#   scripts/package.sh [--check]
set -euo pipefail
check=""
[ "${1:-}" = "--check" ] && check=1
K2K_BUILD="${K2K_PACKAGE_BUILD:-$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)/build-package}"
K2K_NO_CONFIGURE=1 source "$(dirname "${BASH_SOURCE[0]}")/setup.sh"
k2k_install -- lintian file dpkg-dev fakeroot
cmake -S "$K2K_ROOT" -B "$K2K_BUILD" -G Ninja -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_INSTALL_PREFIX=/usr -DCMAKE_SKIP_INSTALL_ALL_DEPENDENCY=ON -DK2K_BENCHMARKS=OFF \
    "${K2K_LAUNCHER[@]}" >/dev/null
k2k_build_quietly kalde2000 k2klib sample_suite sample_models dist_compressed
(cd "$K2K_BUILD" && cpack -G DEB >cpack.log 2>&1) || { cat "$K2K_BUILD/cpack.log" >&2; exit 1; }
deb=$(ls -t "$K2K_BUILD"/kalde2000_*.deb | head -n 1)
echo "Package: $deb"
dpkg-deb --info "$deb" | grep -E '^ (Depends|Suggests|Installed-Size):'
echo "lintian:"
findings=$(lintian --tag-display-limit 0 "$deb" 2>&1 | grep -v 'root privileges' || true)
echo "${findings:-none}" | sed 's/^/  /'
if echo "$findings" | grep -q '^E:'; then
    echo "lintian reports errors" >&2
    exit 1
fi
[ -z "$check" ] && exit 0

sudo=""
[ "$(id -u)" -ne 0 ] && sudo="sudo"
work=$(mktemp -d)
trap '$sudo dpkg -r kalde2000 >/dev/null 2>&1 || true; rm -rf "$work"' EXIT
$sudo dpkg -i "$deb" >/dev/null
installed=$(dpkg -L kalde2000)
/usr/bin/k2klib --version
/usr/bin/k2klib search --suite /usr/share/kalde2000/suite --kind part --name '74LS0*' \
    --format tsv | tail -n +2 | wc -l | sed 's/^/parts found in the installed sample: /'
env -u DISPLAY -u WAYLAND_DISPLAY -u XDG_RUNTIME_DIR TMPDIR="$work" XDG_DATA_HOME="$work/data" \
    /usr/bin/kalde2000 --screenshot "$work/shot.png" 2>&1 | grep -E 'your suite|Load|found'
$sudo dpkg -r kalde2000 >/dev/null
left=""
for path in $installed; do
    [ -d "$path" ] && continue
    [ -e "$path" ] || [ -L "$path" ] && left+=" $path"
done
[ -z "$left" ] || { echo "left after removal:$left" >&2; exit 1; }
echo "installed, used and removed cleanly"
