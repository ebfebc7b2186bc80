#!/bin/sh
# Writes the large word list: every word of scowl's english-words.N and
# american-words.N for N up to 80 that is made only of the letters a-z,
# sorted bytewise, without duplicates, one word per line.
set -eu
out=$1
dir=${2:-/usr/share/dict/scowl}
files=""
for f in "$dir"/english-words.* "$dir"/american-words.*; do
  [ -f "$f" ] || continue
  n=${f##*.}
  case $n in *[!0-9]*) continue ;; esac
  [ "$n" -le 80 ] && files="$files $f"
done
if [ -z "$files" ]; then
  echo "make_word_list.sh: no scowl word files in $dir (install Debian's scowl package)" >&2
  exit 1
fi
# shellcheck disable=SC2086
cat $files | LC_ALL=C grep -E '^[a-z]+$' | LC_ALL=C sort -u >"$out.tmp"
mv "$out.tmp" "$out"
