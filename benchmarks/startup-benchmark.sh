#!/usr/bin/env bash
# Start-up time of Orvella.exe in a ready installation against a minimal layered window
# program, under Wine with a warm wine server: the time from starting each program to its
# window being visible, over many interleaved starts, and the ratio of the medians.
#
#   benchmarks/startup-benchmark.sh [-n starts] [-s settle-ms] [-v]
#       (default 15 starts each and 250 ms of quiet after each end; -v: every start)
#
# Sets up everything it needs: the packages, the Windows tree with the benchmark programs,
# its own wine prefix (build/bench-prefix-win64, never the tests' one) and in it an installation as
# run.sh makes it: the programs and default skins in "C:\Program Files\Orvella", the stand-in
# player registered as Winamp, the settings present (no tips, a skin chosen, so no question is
# asked). Without a $DISPLAY it runs on a virtual one.
set -euo pipefail
cd "$(dirname "$0")/.."

if [ -z "${ORVELLA_BENCH_READY:-}" ]; then
    scripts/install-deps.sh
    scripts/build.sh win64 -DORVELLA_BENCHMARKS=ON >/dev/null
    if [ -z "${DISPLAY:-}" ]; then
        # One virtual display for the whole run: the wine server and its desktop belong to it.
        ORVELLA_BENCH_READY=1 exec xvfb-run -a -s "-screen 0 1280x1024x24" "$0" "$@"
    fi
fi

export WINEPREFIX_OVERRIDE="$PWD/build/bench-prefix-win64"
source scripts/wine-env.sh
orvella_wine_prefix

bin=build/win64/bin
drive="$WINEPREFIX/drive_c"
install="$drive/Program Files/Orvella"
player="$drive/Program Files/Winamp"
bench="$drive/Orvella Benchmark"
mkdir -p "$install/Skins" "$player" "$bench"
cp "$bin/Orvella.exe" "$bin/Agent.exe" "$bin/OrvellaRemover.exe" "$install/"
cp "$bin/Winamp.exe" "$player/"
cp "$bin/StartupBenchmark.exe" "$bin/MinimalWindow.exe" "$bench/"
skin=""
for f in "$bin"/Skins/*.skn; do
    [ -e "$f" ] || continue
    cp "$f" "$install/Skins/"
    [ -n "$skin" ] || skin="$(basename "$f")"
done
[ -n "$skin" ] || { echo "no default skin in $bin/Skins" >&2; exit 1; }
[ -f "$bin/Language.dll" ] && cp "$bin/Language.dll" "$install/"
# Every start is a first one at the centre of the screen.
rm -f "$install/Orvella.ini"

# A warm server: it and the prefix's services keep running between the starts. One left over
# from an earlier run may belong to another display: it goes first.
wineserver -k </dev/null >/dev/null 2>&1 || true
wineserver -w
wineserver -p 300 </dev/null >/dev/null 2>&1
wine cmd /c exit </dev/null >/dev/null 2>&1
trap 'wineserver -k 2>/dev/null || true' EXIT

reg() { wine reg add "$@" /f >/dev/null 2>&1 </dev/null; }
reg 'HKCU\Software\Winamp' /ve /t REG_SZ /d 'C:\Program Files\Winamp'
reg 'HKCU\Software\Orvella' /v 'Erster Start' /t REG_DWORD /d 0
reg 'HKCU\Software\Orvella' /v 'Programm - Pfad' /t REG_SZ /d 'C:\Program Files\Orvella\'
reg 'HKCU\Software\Orvella' /v 'Programm - Sprache' /t REG_SZ /d 'English'
reg 'HKCU\Software\Orvella' /v 'Theme - Pfad' /t REG_SZ /d "C:\\Program Files\\Orvella\\Skins\\$skin"

# Other work on the machine slows both programs and shrinks the ratio: the load says how quiet
# it was.
echo "$(wine --version), $(nproc) cores, load average $(cut -d' ' -f1-3 /proc/loadavg), skin $skin"
cd "$bench"
# The program and its window (class, title) and its single-instance mutex, then the yardstick.
wine StartupBenchmark.exe "$@" \
    Orvella 'C:\Program Files\Orvella\Orvella.exe' TForm1 Orvella Orvella \
    minimal 'C:\Orvella Benchmark\MinimalWindow.exe' OrvellaMinimalWindow Minimal - </dev/null
