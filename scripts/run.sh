#!/bin/sh
# Builds the program and starts it. Arguments are passed to the program.
set -eu
cd "$(dirname "$0")/.."
sh scripts/deps.sh build ui
cmake -S . -B build/release -G Ninja -DCMAKE_BUILD_TYPE=Release
cmake --build build/release -j "$(nproc 2>/dev/null || echo 2)"
if [ -x build/release/bin/tilvan ]; then
  exec build/release/bin/tilvan "$@"
fi
exec build/release/bin/tilvan-cli replay data/example.replay "$@"
