#!/usr/bin/env bash
# Runs ctest on a Windows tree (ORVELLA_WINDOWS_TREE, win64 by default) with a wine server
# and a desktop that outlive the single tests. A run that selects no test fails.
set -uo pipefail
cd "$(dirname "$0")/.."
source scripts/wine-env.sh
# The server and its services start outside ctest, or ctest waits on their inherited pipes
# and every test pays a cold start.
wineserver -p 120 </dev/null >/dev/null 2>&1
wine cmd /c exit </dev/null >/dev/null 2>&1
# The desktop holder keeps Wine's desktop open from the first test to the last, which would
# otherwise close after each test and open again for the next.
holder=build/"$ORVELLA_WINDOWS_TREE"/bin/DesktopHolder.exe
[ -f "$holder" ] && wine "$holder" </dev/null >/dev/null 2>&1 &
restarts=build/"$ORVELLA_WINDOWS_TREE"/wine-restarts.log
rm -f "$restarts"
(cd build/"$ORVELLA_WINDOWS_TREE" && ctest --output-on-failure --no-tests=error --timeout 300 "$@")
rc=$?
if [ -s "$restarts" ]; then
    echo "Test programs that Wine ended as they started, each started once more:"
    cat "$restarts"
fi
wineserver -k
wineserver -w
exit $rc
