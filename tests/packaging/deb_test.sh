#!/bin/sh
# The Debian package made by `cpack -G DEB` in the build folder: it holds
# the programs, both lists, the desktop entry, the icon, the metainfo, the
# manual pages, the copyright file and the changelog, and depends on runtime
# libraries only.
#   sh deb_test.sh BUILD_DIR OUT_DIR
set -eu
build=$1
rm -rf "$2"
mkdir -p "$2"
out=$(realpath "$2")
fail() { echo "deb_test: $*" >&2; exit 1; }

(cd "$build" && cpack -G DEB -B "$out" >"$out/cpack.log" 2>&1) || {
  cat "$out/cpack.log" >&2
  fail "cpack failed"
}
deb=$(ls "$out"/*.deb)
contents=$(dpkg-deb -c "$deb" | awk '{print $NF}')
for f in usr/bin/tilvan usr/bin/tilvan-cli usr/share/tilvan/WordsSorted.Txt \
  usr/share/tilvan/WordsLarge.Txt usr/share/applications/org.tilvan.tilvan.desktop \
  usr/share/icons/hicolor/scalable/apps/org.tilvan.tilvan.svg \
  usr/share/metainfo/org.tilvan.tilvan.metainfo.xml usr/share/man/man1/tilvan.1.gz \
  usr/share/man/man1/tilvan-cli.1.gz usr/share/doc/tilvan/copyright \
  usr/share/doc/tilvan/changelog.gz; do
  echo "$contents" | grep -qx "\./$f" || fail "$f is not in the package"
done
depends=$(dpkg-deb -f "$deb" Depends)
echo "$depends" | grep -q -- '-dev' && fail "a development package is a dependency: $depends"
for lib in libc6 libstdc++6 libqt6widgets6 qt6-qpa-plugins; do
  echo "$depends" | grep -q "$lib" || fail "$lib is not a dependency: $depends"
done
echo "$(basename "$deb"): Depends: $depends"
