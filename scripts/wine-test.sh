#!/usr/bin/env bash
# CMake's cross-compiling emulator, so ctest's: runs a test program of a Windows tree under the
# project's wine (scripts/wine-test.sh win64|win32 program args...).
#
# Now and then Wine ends a program as it starts, before the program has run a line of its own:
# a failure code, not a word written, within a fraction of a second. Such a start, and only
# such a start, is made once more, and written down in build/<tree>/wine-restarts.log, which
# the end-to-end run prints at its end. A program that wrote anything, or that ran for a
# second or more, is never started again: its result is its test's result.
tree="$1"
shift
export ORVELLA_WINDOWS_TREE="$tree"
source "$(dirname "${BASH_SOURCE[0]}")/wine-env.sh" || exit 2

out=$(mktemp) && err=$(mktemp) || exit 2
trap 'rm -f "$out" "$err"' EXIT
for attempt in 1 2; do
    started=$(date +%s%N)
    # Ended with this script, as when ctest stops a test at its time limit.
    setpriv --pdeathsig KILL "$WINELOADER" "$@" >"$out" 2>"$err"
    rc=$?
    ms=$((($(date +%s%N) - started) / 1000000))
    if [ "$rc" -eq 0 ] || [ -s "$out" ] || [ -s "$err" ] || [ "$ms" -ge 1000 ] || [ "$attempt" -eq 2 ]; then
        break
    fi
    printf '%s ended with code %d after %d ms, before writing anything; started again: %s\n' \
        "$(date +%T)" "$rc" "$ms" "$*" >>"$ORVELLA_ROOT/build/$tree/wine-restarts.log"
    sleep 1
done
cat "$out"
cat "$err" >&2
exit "$rc"
