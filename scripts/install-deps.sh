#!/usr/bin/env bash
# Installs every Debian package the build, the tests and the demo run need.
# Safe to run again: packages already present are not touched.
# 32-bit Wine (wine32:i386) is installed only where this machine runs 32-bit programs: some
# machines refuse them, and there an installed wine32 would only get in the way.
set -euo pipefail
cd "$(dirname "$0")/.."

packages=(cmake make g++ googletest libgtest-dev libgmock-dev libbenchmark-dev
          g++-mingw-w64-x86-64 mingw-w64-x86-64-dev g++-mingw-w64-i686 mingw-w64-i686-dev
          wine wine64 xvfb xauth x11-utils imagemagick clang libclang-rt-14-dev nsis sox)
if scripts/runs-32bit.sh; then
    packages+=(wine32:i386)
fi

missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

SUDO=""
[ "$(id -u)" -ne 0 ] && SUDO="sudo"
if [[ " ${missing[*]} " == *":i386 "* ]] && ! dpkg --print-foreign-architectures | grep -qx i386; then
    $SUDO dpkg --add-architecture i386
fi
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update -qq
$SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
