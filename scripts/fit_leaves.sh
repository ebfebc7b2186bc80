#!/bin/sh
# Regenerates data/leaves.txt.gz from our own self-play, in three rounds:
#   1. leave values fitted from games of score against score;
#   2. refitted (each next turn's leave valued by round 1) from those games
#      and games of value (round 1's table) against score;
#   3. refitted (bootstrapped with round 2) from games of value (round 2's
#      table) against score.
# Usage: sh scripts/fit_leaves.sh [BUILD_DIR]   (default build/release)
set -eu
cd "$(dirname "$0")/.."
bin=${1:-build/release}/bin
cli="$bin/tilvan-cli"
words="$bin/WordsSorted.Txt"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
play() { "$cli" selfplay --jobs 2 --words "$words" "$@"; }
fit() { "$cli" fit-leaves "$@"; }

play --games 4000 --seed 1 --strategies score,score --record "$work/r0.jsonl"
fit "$work/r0.jsonl" >"$work/t1.txt"

play --games 2000 --seed 1 --leaves "$work/t1.txt" --record "$work/r1a.jsonl"
play --games 6000 --seed 1001 --leaves "$work/t1.txt" --record "$work/r1b.jsonl"
fit --bootstrap "$work/t1.txt" "$work/r0.jsonl" "$work/r1a.jsonl" "$work/r1b.jsonl" >"$work/t2.txt"

play --games 6000 --seed 2001 --leaves "$work/t2.txt" --record "$work/r2.jsonl"
fit --bootstrap "$work/t2.txt" "$work/r1b.jsonl" "$work/r2.jsonl" >"$work/t3.txt"

gzip -9n <"$work/t3.txt" >data/leaves.txt.gz
echo "wrote data/leaves.txt.gz; rebuild to build it in"
