#!/usr/bin/env bash
# Installs what Daywise needs on Debian 12, then configures and builds it.
# Usage: scripts/setup.sh [--tests] [build-dir]
set -euo pipefail
cd "$(dirname "$0")/.."

with_tests=0
if [ "${1:-}" = "--tests" ]; then with_tests=1; shift; fi
build_dir=${1:-build}

packages=(cmake ninja-build g++ qt6-base-dev libqt6sql6-sqlite libsqlite3-dev
    qt6-translations-l10n python3 help2man libical-dev)
if [ "$with_tests" = 1 ]; then
    packages+=(chromium nodejs xvfb xauth desktop-file-utils appstream python3-icalendar
        poppler-utils)
fi

missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ "${#missing[@]}" -gt 0 ]; then
    sudo=""
    [ "$(id -u)" = 0 ] || sudo=sudo
    $sudo apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

cmake -S . -B "$build_dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DDAYWISE_TESTS=$([ "$with_tests" = 1 ] && echo ON || echo OFF)
cmake --build "$build_dir"
