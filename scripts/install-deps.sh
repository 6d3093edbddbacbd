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
wants32=0
scripts/runs-32bit.sh && wants32=1

installed() { dpkg-query -W -f='${Status}' "$1" 2>/dev/null | grep -q 'install ok installed'; }
missing=()
for p in "${packages[@]}"; do
    installed "$p" || missing+=("$p")
done
[ $wants32 -eq 1 ] && ! installed wine32:i386 && missing+=(wine32:i386)
[ ${#missing[@]} -eq 0 ] && exit 0

SUDO=""
[ "$(id -u)" -ne 0 ] && SUDO="sudo"
if [ $wants32 -eq 1 ] && ! dpkg --print-foreign-architectures | grep -qx i386; then
    $SUDO dpkg --add-architecture i386
fi
export DEBIAN_FRONTEND=noninteractive
# A mirror in the middle of a sync fails one index now and then: try again, and go on with the
# lists that did arrive when it keeps failing (the install below says so if a package is missing).
for attempt in 1 2 3; do
    $SUDO apt-get update -qq && break
    [ $attempt -eq 3 ] && break
    echo "apt-get update failed (attempt $attempt); trying again" >&2
    sleep $((attempt * 10))
done
needed=()
for p in "${missing[@]}"; do [ "$p" = wine32:i386 ] || needed+=("$p"); done
[ ${#needed[@]} -eq 0 ] || $SUDO apt-get install -y -qq --no-install-recommends "${needed[@]}"
# 32-bit Wine only serves the 32-bit end-to-end runs: where its packages cannot be had (a
# mirror whose i386 lists are out of step with the others), those runs are left out and
# ./test.sh says so, rather than nothing being tested at all.
if [ $wants32 -eq 1 ] && ! installed wine32:i386; then
    $SUDO apt-get install -y -qq --no-install-recommends wine32:i386 ||
        echo "32-bit Wine could not be installed; the 32-bit end-to-end tests will not run" >&2
fi
