#!/bin/sh
# The program installed with `cmake --install` into a temporary prefix:
# every file in its XDG place, the desktop entry and the metainfo valid, the
# help of both programs against their (compressed) manual pages, and the
# installed tilvan-cli searching the installed default list, which is
# ENABLE2K as shipped.
#   sh install_test.sh BUILD_DIR SOURCE_DIR PREFIX
set -eu
build=$1 src=$2
rm -rf "$3"
mkdir -p "$3"
prefix=$(realpath "$3")
fail() { echo "install_test: $*" >&2; exit 1; }

cmake --install "$build" --prefix "$prefix" >/dev/null
for f in bin/tilvan bin/tilvan-cli share/tilvan/WordsSorted.Txt share/tilvan/WordsLarge.Txt \
  share/applications/org.tilvan.tilvan.desktop \
  share/icons/hicolor/scalable/apps/org.tilvan.tilvan.svg \
  share/metainfo/org.tilvan.tilvan.metainfo.xml share/man/man1/tilvan.1.gz \
  share/man/man1/tilvan-cli.1.gz share/doc/tilvan/copyright share/doc/tilvan/changelog.gz; do
  [ -f "$prefix/$f" ] || fail "$f is not installed"
done
desktop-file-validate "$prefix/share/applications/org.tilvan.tilvan.desktop" ||
  fail "the desktop entry does not validate"
appstreamcli validate --no-net "$prefix/share/metainfo/org.tilvan.tilvan.metainfo.xml" ||
  fail "the metainfo does not validate"

# Help and version exit 0; every option of the help is in the manual page.
for cmd in "tilvan --help" "tilvan --version" "tilvan-cli --help" "tilvan-cli --version" \
  "tilvan-cli find --help" "tilvan-cli replay --help"; do
  # shellcheck disable=SC2086
  set -- $cmd
  program=$1
  shift
  out=$("$prefix/bin/$program" "$@") || fail "$cmd exits $?"
  [ -n "$out" ] || fail "$cmd prints nothing"
  case $cmd in
    *--version) [ "$out" = "$program $(sed -n 's/^project(tilvan VERSION \([0-9.]*\).*/\1/p' "$src/CMakeLists.txt")" ] ||
                  fail "$cmd prints \"$out\"" ;;
    *)
      for option in $(echo "$out" | grep -o -- '--[a-z]*' | sort -u); do
        man=$(gzip -dc "$prefix/share/man/man1/$program.1.gz" | sed 's/\\-/-/g')
        echo "$man" | grep -q -- "$option" || fail "$option of $cmd is not in $program.1"
      done ;;
  esac
done

list=$prefix/share/tilvan/WordsSorted.Txt
gzip -dc "$src/data/enable2k.txt.gz" | cmp -s - "$list" || fail "the default list is not ENABLE2K"
[ "$(wc -l <"$list")" -eq 173528 ] || fail "the default list does not have 173,528 records"
LC_ALL=C sort -u -c "$list" || fail "the default list is not sorted"
! LC_ALL=C grep -q -v '^[a-z][a-z]*$' "$list" || fail "the default list has a record that is not a-z"

# Every word of a search with the default list is in ENABLE2K. The large
# dictionary would lay RS, SS and JS here.
search() {
  "$prefix/bin/tilvan-cli" find --board "$src/tests/packaging/midgame.board" --rack hmmrrst \
    --json "$@" | grep -o '"text":"[a-z]*"' | sed 's/"text":"\(.*\)"/\1/' | sort -u
}
words=$(search)
[ -n "$words" ] || fail "the search found nothing"
for w in $words; do
  grep -qxF "$w" "$list" || fail "\"$w\" is not in ENABLE2K"
done
search --words "$prefix/share/tilvan/WordsLarge.Txt" | grep -qx rs ||
  fail "the large dictionary is not the scowl list"

# It is the installed list that was read: without it, the search names it.
mv "$list" "$list.away"
if "$prefix/bin/tilvan-cli" find --board "$src/tests/packaging/midgame.board" --rack e \
  2>"$prefix/err" >/dev/null; then
  fail "tilvan-cli ran without its default list"
fi
mv "$list.away" "$list"
grep -qF "$list" "$prefix/err" || fail "the error names another list: $(cat "$prefix/err")"
echo "installed in $prefix: $(echo "$words" | wc -l) words found, all in ENABLE2K"
