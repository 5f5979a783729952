#!/usr/bin/env bash
# Checks the installed layout and the Debian package of a build (default build/ci):
# `cmake --install` into a scratch prefix and a run of an installed example from another folder,
# the package's contents, and, as root on a machine without the package, dpkg -i, a run from
# /usr/bin, dpkg -r and a check that no file of the package is left.
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build/ci}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

fail() { echo "install check: $*" >&2; exit 1; }

# an example run from the installed programs, in a folder of its own, called from a third one
run_installed() {  # BIN_DIR EXAMPLES_DIR
    local run="$work/run-$RANDOM"
    mkdir -p "$run"
    cp "$2/bridge-clay-design-load.kvd" "$run/"
    (cd / && "$1/korven" run --quiet "$run/bridge-clay-design-load.kvd" >/dev/null) ||
        fail "korven run from $1 failed"
    grep -q 'THE MOST EFFICIENT SHAFT' "$run/bridge-clay-design-load.kvo" || fail "no report from $1"
}

prefix="$work/prefix"
cmake --install "$build" --prefix "$prefix" >/dev/null
for f in bin/korven bin/korven2012 lib/korven/Korven2012_DLL.so share/applications/korven2012.desktop \
    share/icons/hicolor/scalable/apps/korven2012.svg share/mime/packages/korven-project.xml \
    share/doc/korven/guide/index.html share/doc/korven/guide/korven-guide.pdf \
    share/doc/korven/methods/index.html share/doc/korven/verification/report.html \
    share/doc/korven/examples/bridge-clay-design-load.kvd; do
    [ -s "$prefix/$f" ] || fail "not installed: $f"
done
[ ! -e "$prefix/bin/Korven2012_DLL.so" ] || fail "the engine is installed beside the programs"
run_installed "$prefix/bin" "$prefix/share/doc/korven/examples"
echo "install check: cmake --install layout and an installed run: ok"

(cd "$build" && cpack -G DEB -B "$work/package" >/dev/null)
deb=$(ls "$work"/package/korven_*.deb)
dpkg-deb --contents "$deb" | awk '{print $6}' | sed 's|^\./|/|' | grep -v '/$' >"$work/files"
for f in /usr/bin/korven /usr/bin/korven2012 /usr/lib/korven/Korven2012_DLL.so \
    /usr/share/applications/korven2012.desktop /usr/share/mime/packages/korven-project.xml \
    /usr/share/doc/korven/guide/index.html; do
    grep -qx "$f" "$work/files" || fail "$f is not in $(basename "$deb")"
done
echo "install check: $(basename "$deb") holds $(wc -l <"$work/files") files: ok"

if [ "$(id -u)" = 0 ] && ! dpkg -s korven >/dev/null 2>&1; then
    dpkg -i "$deb" >/dev/null
    run_installed /usr/bin /usr/share/doc/korven/examples
    dpkg -r korven >/dev/null
    left=$(while read -r f; do [ ! -e "$f" ] || echo "$f"; done <"$work/files")
    dpkg -P korven >/dev/null 2>&1 || true
    [ -z "$left" ] || fail "dpkg -r left: $left"
    echo "install check: dpkg -i, a run from /usr/bin, dpkg -r leaving nothing: ok"
fi
