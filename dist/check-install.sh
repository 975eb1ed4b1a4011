#!/bin/sh
# The install as a person gets it: installed into a folder of its own, the programs run
# from there, the browser makes a person's own suite from the installed sample, the
# manual pages name the programs, and the completion completes k2klib's commands.
#   check-install.sh BUILD_FOLDER
set -eu
build=$1
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
fail() { echo "check-install: $*" >&2; exit 1; }

cmake --install "$build" --prefix "$tmp/usr" >/dev/null
bin=$tmp/usr/bin
share=$tmp/usr/share
for file in "$bin/k2klib" "$share/man/man1/k2klib.1.gz" "$share/man/man1/kalde2000.1.gz" \
            "$share/bash-completion/completions/k2klib" "$share/kalde2000/suite/kalde2000.ini"; do
    [ -e "$file" ] || fail "not installed: $file"
done
zcat "$share/man/man1/k2klib.1.gz" "$share/man/man1/kalde2000.1.gz" | grep -q '@K2K_' &&
    fail "a manual page keeps a placeholder"

version=$("$bin/k2klib" --version)
case "$version" in "k2klib "[0-9]*) ;; *) fail "k2klib --version said: $version" ;; esac
found=$("$bin/k2klib" search --suite "$share/kalde2000/suite" --kind part --name '74LS0*' \
        --format tsv | wc -l)
[ "$found" -gt 1 ] || fail "no part found in the installed sample suite"

completed=$(PATH="$bin:$PATH" bash -c '. "$1"; COMP_WORDS=(k2klib sea); COMP_CWORD=1
    _k2klib; echo "${COMPREPLY[*]}"' sh "$share/bash-completion/completions/k2klib")
[ "$completed" = search ] || fail "completion of 'k2klib sea' gave: $completed"

if [ -x "$bin/kalde2000" ]; then
    [ -e "$share/applications/kalde2000.desktop" ] || fail "no desktop entry"
    said=$(env -u DISPLAY -u WAYLAND_DISPLAY -u XDG_RUNTIME_DIR TMPDIR="$tmp" \
           XDG_DATA_HOME="$tmp/data" "$bin/kalde2000" --screenshot "$tmp/shot.png" 2>&1) ||
        fail "the installed browser failed: $said"
    echo "$said" | grep -q "made now as a copy of the sample suite $share/kalde2000/suite" ||
        fail "the browser did not make the person's suite from the installed sample: $said"
    [ -e "$tmp/data/kalde2000/suite/kalde2000.ini" ] || fail "no personal suite"
    # The sample links to the installed model libraries; the person's copy holds them.
    [ -f "$tmp/data/kalde2000/suite/LIB/KDSANLG.so" ] && [ ! -L "$tmp/data/kalde2000/suite/LIB/KDSANLG.so" ] ||
        fail "the person's suite lacks the model library itself"
    echo "$said" | grep -q "Load: true" || fail "the browser did not load: $said"
fi
echo "check-install: installed, ran and completed from $tmp/usr"
