#!/usr/bin/env bash
# Builds the shipped files of the 64-bit and the 32-bit Windows tree twice, in two fresh
# folders, and compares them byte for byte: the same commit must give the same programs,
# libraries, skins, pictures, language file, alarm sound and setups. Exits non-zero on a
# difference. Takes a while: four builds from scratch, without a compiler cache.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
unset CMAKE_CXX_COMPILER_LAUNCHER CMAKE_C_COMPILER_LAUNCHER
root=build/reproducible
status=0
for tree in win64 win32; do
    toolchain=cmake/mingw-x86_64.cmake
    [ "$tree" = win32 ] && toolchain=cmake/mingw-i686.cmake
    for copy in a b; do
        rm -rf "$root/$tree-$copy"
        cmake -S . -B "$root/$tree-$copy" -DCMAKE_TOOLCHAIN_FILE="$toolchain" -DCMAKE_BUILD_TYPE=Release \
              -DORVELLA_TESTS=OFF >/dev/null
        cmake --build "$root/$tree-$copy" -j"$(nproc)" >/dev/null
    done
    count=0
    while IFS= read -r file; do
        count=$((count + 1))
        if ! cmp -s "$root/$tree-a/$file" "$root/$tree-b/$file"; then
            echo "$tree: $file differs"
            status=1
        fi
    done < <(cd "$root/$tree-a" && find bin setup -type f \( -name '*.exe' -o -name '*.dll' \
                 -o -name '*.skn' -o -name '*.bmp' -o -name '*.wav' \) | sort)
    echo "$tree: $count shipped files compared"
done
[ $status -eq 0 ] && echo "reproducible: every shipped file the same bytes in both builds"
exit $status
