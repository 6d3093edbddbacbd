#!/usr/bin/env bash
# Configures and builds one tree: "native" (Linux, tests) or "win32" (the Windows programs).
set -euo pipefail
cd "$(dirname "$0")/.."
tree="$1"
shift
jobs="$(nproc)"
case "$tree" in
native)
    cmake -S . -B build/native -DCMAKE_BUILD_TYPE=Debug "$@" >/dev/null
    cmake --build build/native -j"$jobs"
    ;;
win32)
    cmake -S . -B build/win32 -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-i686.cmake \
          -DCMAKE_BUILD_TYPE=Release "$@" >/dev/null
    cmake --build build/win32 -j"$jobs"
    ;;
*)
    echo "usage: scripts/build.sh native|win32" >&2
    exit 2
    ;;
esac
