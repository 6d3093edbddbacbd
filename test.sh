#!/usr/bin/env bash
# Builds every tree and runs every test: the native suites, a bounded fuzzing run of the file
# readers, then the end-to-end runs of the real programs under Wine. Exits non-zero when
# anything fails.
set -uo pipefail
cd "$(dirname "$0")"
scripts/install-deps.sh || exit 1

status=0
scripts/build.sh native || exit 1
(cd build/native && ctest --output-on-failure -j"$(nproc)") || status=1

scripts/build.sh fuzz || exit 1
scripts/run-fuzz.sh "${ORVELLA_FUZZ_SECONDS:-30}" || status=1

scripts/build.sh win32 || exit 1
scripts/run-e2e.sh || status=1

exit $status
