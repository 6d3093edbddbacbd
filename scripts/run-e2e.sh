#!/usr/bin/env bash
# Runs the end-to-end tests of a Windows build under Wine, on a virtual display: the 64-bit
# tree, or the 32-bit one with ORVELLA_WINDOWS_TREE=win32. Arguments go to ctest (e.g. -R Uninstall).
set -uo pipefail
cd "$(dirname "$0")/.."
source scripts/wine-env.sh
orvella_wine_prefix

if [ -n "${DISPLAY:-}" ] && [ -z "${CI:-}" ]; then
    exec scripts/ctest-under-wine.sh "$@"
fi
exec xvfb-run -a -s "-screen 0 1280x1024x24" scripts/ctest-under-wine.sh "$@"
