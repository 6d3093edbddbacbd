#!/usr/bin/env bash
# Runs a Windows program under the project's wine: scripts/wine.sh win64|win32 program args...
# Test programs run through scripts/wine-test.sh, which ctest calls.
tree="$1"
shift
export ORVELLA_WINDOWS_TREE="$tree"
source "$(dirname "${BASH_SOURCE[0]}")/wine-env.sh" || exit 2
exec "$WINELOADER" "$@"
