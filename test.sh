#!/usr/bin/env bash
# Builds every tree and runs every test: the native suites, a bounded fuzzing run of the file
# readers, the end-to-end runs of the 64-bit Windows programs under Wine, and the 32-bit
# Windows tree, whose end-to-end runs need a machine that runs 32-bit programs. Exits non-zero
# when anything fails.
set -uo pipefail
cd "$(dirname "$0")"
scripts/install-deps.sh || exit 1

status=0
scripts/build.sh native || exit 1
(cd build/native && ctest --output-on-failure --no-tests=error -j"$(nproc)") || status=1

scripts/build.sh fuzz || exit 1
scripts/run-fuzz.sh "${ORVELLA_FUZZ_SECONDS:-30}" || status=1

scripts/build.sh win64 || exit 1
ORVELLA_WINDOWS_TREE=win64 scripts/run-e2e.sh || status=1

# The 32-bit programs and their setup are always built, so they keep compiling; their test
# program only where it can run.
if scripts/runs-32bit.sh && dpkg-query -W -f='${Status}' wine32:i386 2>/dev/null | grep -q 'install ok installed'; then
    scripts/build.sh win32 -DORVELLA_TESTS=ON || exit 1
    ORVELLA_WINDOWS_TREE=win32 scripts/run-e2e.sh || status=1
else
    scripts/build.sh win32 -DORVELLA_TESTS=OFF || exit 1
    echo "32-bit Windows tree built; its end-to-end tests skipped: this machine does not run 32-bit programs, or 32-bit Wine could not be installed"
fi

exit $status
