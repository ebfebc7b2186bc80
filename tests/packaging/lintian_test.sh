#!/bin/sh
# The Debian package as a packager checks it: unpacked into an empty root,
# its programs run from there and find their list; its changelog, copyright
# file and metainfo agree with the package and the licence; and Debian's
# checker, lintian, reports no error and no warning on it. Without lintian
# the test ends as skipped (exit 77) once the rest has passed.
#   sh lintian_test.sh BUILD_DIR SOURCE_DIR OUT_DIR
set -eu
build=$1 src=$2
rm -rf "$3"
mkdir -p "$3"
out=$(realpath "$3")
fail() { echo "lintian_test: $*" >&2; exit 1; }

(cd "$build" && cpack -G DEB -B "$out" >"$out/cpack.log" 2>&1) || {
  cat "$out/cpack.log" >&2
  fail "cpack failed"
}
deb=$(ls "$out"/*.deb)
version=$(dpkg-deb -f "$deb" Version)

# The long description is packaging/description.txt as written, wrapped by
# its author (no line over 80 columns, nothing escaped on the way).
dpkg-deb -f "$deb" Description | sed '1d;s/^ //;s/^\.$//' >"$out/description"
cmp -s "$out/description" "$src/packaging/description.txt" || {
  diff "$src/packaging/description.txt" "$out/description" >&2 || true
  fail "the package's description is not packaging/description.txt"
}

# Unpacked into an empty root, the programs run and the search reads the
# package's own default list, found relative to the program.
root=$out/root
dpkg-deb -x "$deb" "$root"
for program in tilvan-cli tilvan; do
  got=$("$root/usr/bin/$program" --version) || fail "$program --version exits $?"
  [ "$got" = "$program $version" ] || fail "$program --version prints \"$got\", not $version"
done
"$root/usr/bin/tilvan-cli" find --board "$src/tests/packaging/midgame.board" --rack hmmrrst \
  --json >"$out/find.json" 2>"$out/find.err" || fail "find from the root: $(cat "$out/find.err")"
grep -q '"text":"[a-z]*"' "$out/find.json" || fail "find from the root found nothing"

# The changelog reads as one (dpkg's own parser, no complaint) and its
# newest entry is this version.
doc=$root/usr/share/doc/tilvan
gzip -dc "$doc/changelog.gz" >"$out/changelog"
top=$(dpkg-parsechangelog -l "$out/changelog" -S Version 2>"$out/changelog.err") ||
  fail "the changelog does not parse: $(cat "$out/changelog.err")"
[ ! -s "$out/changelog.err" ] || fail "the changelog: $(cat "$out/changelog.err")"
[ "$top" = "$version" ] || fail "the changelog's newest entry is $top, the package $version"

# The copyright file states the licence of LICENSE, word for word, and the
# metainfo names the same one; the large list's terms are those of the
# scowl package that the build read.
copyright=$doc/copyright
licence=$(sed -n '/^Files: \*$/,/^$/s/^License: //p' "$copyright")
[ -n "$licence" ] || fail "the copyright file names no licence for the program"
grep -q "<project_license>$licence</project_license>" \
  "$root/usr/share/metainfo/org.tilvan.tilvan.metainfo.xml" ||
  fail "the metainfo does not name the licence $licence"
words() { tr -s ' \n' '\n\n' | sed '/^\.$/d;/^$/d'; }
awk -v head="License: $licence" 'BEGIN { RS = "" } index($0, head "\n") == 1' "$copyright" |
  sed 1d | words >"$out/licence.pkg"
sed '1,/^Copyright/d' "$src/LICENSE" | words >"$out/licence.src"
cmp -s "$out/licence.pkg" "$out/licence.src" ||
  fail "the $licence text of the copyright file is not that of LICENSE"
scowl=/usr/share/doc/scowl/copyright
if [ -f "$scowl" ]; then
  notice=$(grep -m1 'Copyright [0-9-]* by Kevin Atkinson' "$scowl" | sed 's/^ *//')
  grep -qF "$notice" "$copyright" || fail "the scowl notice \"$notice\" is not in the copyright file"
fi

command -v lintian >/dev/null 2>&1 || {
  echo "lintian is not installed: the package was not checked"
  exit 77
}
# Every tag, with the information ones; errors and warnings fail.
lintian --display-info "$deb" >"$out/lintian.log" 2>&1 || true
sed -i '/running with root privileges is not recommended/d' "$out/lintian.log"
if grep -q '^[EW]: ' "$out/lintian.log"; then
  cat "$out/lintian.log" >&2
  fail "lintian reports errors or warnings"
fi
echo "$(basename "$deb"): lintian reports no error and no warning"
grep '^I: ' "$out/lintian.log" || true
