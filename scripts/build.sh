#!/usr/bin/env bash
# Configures and builds one tree: "native" (Linux, tests), "win64" (the 64-bit Windows
# programs, the shipped ones), "win32" (the 32-bit Windows programs) or "fuzz" (the fuzz
# targets).
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
win64 | win32)
    toolchain=cmake/mingw-x86_64.cmake
    [ "$tree" = win32 ] && toolchain=cmake/mingw-i686.cmake
    cmake -S . -B build/"$tree" -DCMAKE_TOOLCHAIN_FILE="$toolchain" \
          -DCMAKE_BUILD_TYPE=Release "$@" >/dev/null
    cmake --build build/"$tree" -j"$jobs"
    ;;
fuzz)
    # The readers of untrusted files under libFuzzer, AddressSanitizer and UBSan (clang).
    # Optimised a little, so that a run of the fuzzers reaches many inputs; still with asserts.
    cmake -S . -B build/fuzz -DCMAKE_BUILD_TYPE=Debug -DCMAKE_CXX_FLAGS_DEBUG="-g -O1" -DCMAKE_C_COMPILER=clang \
          -DCMAKE_CXX_COMPILER=clang++ -DORVELLA_FUZZ=ON "$@" >/dev/null
    cmake --build build/fuzz -j"$jobs" --target fuzz_bitmap_decoder fuzz_skin_loader fuzz_wake_dates fuzz_wake_repeats \
          fuzz_language_file fuzz_wave_file fuzz_agent_schedule fuzz_ini_text alarm_sound
    ;;
*)
    echo "usage: scripts/build.sh native|win64|win32|fuzz" >&2
    exit 2
    ;;
esac
