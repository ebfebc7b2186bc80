#!/bin/sh
# Installs the Debian packages that the build needs, when they are missing.
#   scripts/deps.sh build   the core, tilvan-cli, tests and benchmarks, the word
#                           lists (gzip, scowl) and the Debian package (cpack
#                           uses dpkg-shlibdeps and file)
#   scripts/deps.sh ui      also the Qt 6 window and its tests, and the checks
#                           of the desktop entry and the AppStream metainfo
#   scripts/deps.sh x11     also what the real-window checks under Xvfb use
set -eu
want="cmake ninja-build g++ libgtest-dev libbenchmark-dev scowl nlohmann-json3-dev gzip dpkg-dev file lintian"
for group in "$@"; do
  case $group in
    build) ;;
    ui) want="$want qt6-base-dev fonts-dejavu-core desktop-file-utils appstream" ;;
    x11) want="$want qt6-base-dev fonts-dejavu-core xvfb xauth xdotool imagemagick" ;;
    *) echo "deps.sh: unknown group $group" >&2; exit 2 ;;
  esac
done
missing=""
for p in $want; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing="$missing $p"
done
[ -z "$missing" ] && exit 0
echo "Installing:$missing"
sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"
$sudo apt-get update -qq
# shellcheck disable=SC2086
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends $missing
