#!/usr/bin/env bash
# Records the reference pictures of the screenshot tests anew, after a deliberate change of the
# look: runs the chosen tests of the built 64-bit tree (by default the main window's and the
# preferences') with --record-references, which writes each capture into tests/e2e/reference/.
# Look at the pictures before committing them. ctest never records.
#
#   scripts/record-references.sh ['MainWindow.*:Preferences.*']
set -uo pipefail
cd "$(dirname "$0")/.."
filter="${1:-MainWindow.*:Preferences.*:SkinSelection.*}"
export ORVELLA_WINDOWS_TREE=win64
source scripts/wine-env.sh
orvella_wine_prefix
export ORVELLA_REFERENCE_DIR="Z:$ORVELLA_ROOT/tests/e2e/reference"
bin="$ORVELLA_ROOT/build/win64/bin"
[ -f "$bin/e2e_tests.exe" ] || { echo "build the 64-bit tree first: scripts/build.sh win64" >&2; exit 2; }
run() {
    (cd "$bin" && "$WINELOADER" e2e_tests.exe --gtest_filter="$filter" --record-references)
    rc=$?
    "$WINESERVER" -k
    return $rc
}
if [ -n "${DISPLAY:-}" ] && { [ -z "${CI:-}" ] || [ "${ORVELLA_RECORDING_DISPLAY:-}" = 1 ]; }; then
    run
else
    ORVELLA_RECORDING_DISPLAY=1 exec xvfb-run -a -s "-screen 0 1280x1024x24" "$0" "$filter"
fi
