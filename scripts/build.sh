#!/usr/bin/env bash
# Configures and builds one tree: "native" (Linux, tests), "win32" (the Windows programs)
# or "fuzz" (the fuzz targets).
set -euo pipefail
cd "$(dirname "$0")/.."
tree="$1"
shift
jobs="$(nproc)"
case "$tree" in
native)
    cmake -S . -B build/native -DCMAKE_BUILD_TYPE=Debug -DORVELLA_SANITIZE=ON "$@" >/dev/null
    cmake --build build/native -j"$jobs"
    ;;
win32)
    cmake -S . -B build/win32 -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-i686.cmake \
          -DCMAKE_BUILD_TYPE=Release "$@" >/dev/null
    cmake --build build/win32 -j"$jobs"
    ;;
fuzz)
    # The readers of untrusted files under libFuzzer, AddressSanitizer and UBSan (clang).
    cmake -S . -B build/fuzz -DCMAKE_BUILD_TYPE=Debug -DCMAKE_C_COMPILER=clang \
          -DCMAKE_CXX_COMPILER=clang++ -DORVELLA_FUZZ=ON "$@" >/dev/null
    cmake --build build/fuzz -j"$jobs" --target fuzz_bitmap_decoder fuzz_skin_loader fuzz_wake_dates fuzz_language_file
    ;;
*)
    echo "usage: scripts/build.sh native|win32|fuzz" >&2
    exit 2
    ;;
esac
