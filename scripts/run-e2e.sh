#!/usr/bin/env bash
# Runs the end-to-end tests of the Windows build under Wine, on a virtual display.
set -uo pipefail
cd "$(dirname "$0")/.."
source scripts/wine-env.sh
orvella_wine_prefix

run() {
    # The wine server and its services start outside ctest, or ctest waits on their pipes.
    wineserver -p 120 </dev/null >/dev/null 2>&1
    wine cmd /c exit </dev/null >/dev/null 2>&1
    (cd build/win32 && ctest --output-on-failure --timeout 300 "$@")
    local rc=$?
    wineserver -k
    wineserver -w
    return $rc
}

if [ -n "${DISPLAY:-}" ] && [ -z "${CI:-}" ]; then
    run "$@"
else
    export -f run
    xvfb-run -a -s "-screen 0 1280x1024x24" bash -c 'run "$@"' run "$@"
fi
