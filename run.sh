#!/usr/bin/env bash
# Builds Orvella for 64-bit Windows and starts it under 64-bit Wine in a ready demo installation: the
# programs, the default skins and the tip pictures in "C:\Program Files\Orvella", a stand-in
# media player where Orvella looks for Winamp, and settings already present.
# Without a display it runs on a virtual one, saves build/screenshot.png and ends by itself.
set -euo pipefail
cd "$(dirname "$0")"
scripts/install-deps.sh
scripts/build.sh win64 >/dev/null

export WINEPREFIX_OVERRIDE="$PWD/build/demo-prefix-win64"
source scripts/wine-env.sh
orvella_wine_prefix

drive="$WINEPREFIX/drive_c"
install="$drive/Program Files/Orvella"
player="$drive/Program Files/Winamp"
mkdir -p "$install/Skins" "$install/Images" "$player"
cp build/win64/bin/Orvella.exe build/win64/bin/Agent.exe build/win64/bin/OrvellaRemover.exe build/win64/bin/Alarm.wav "$install/"
cp build/win64/bin/Winamp.exe "$player/"
cp build/win64/bin/Images/*.bmp "$install/Images/"
skin=""
for f in build/win64/bin/Skins/*.skn; do
    [ -e "$f" ] || continue
    cp "$f" "$install/Skins/"
    [ -n "$skin" ] || skin="$(basename "$f")"
done
cp build/win64/bin/Language.dll "$install/"

reg() { wine reg add "$@" /f >/dev/null 2>&1 </dev/null; }
wineserver -p 60 2>/dev/null || true  # a server left running for this prefix is as good
reg 'HKCU\Software\Winamp' /ve /t REG_SZ /d 'C:\Program Files\Winamp'
reg 'HKCU\Software\Orvella' /v 'Erster Start' /t REG_DWORD /d 0
reg 'HKCU\Software\Orvella' /v 'Programm - Pfad' /t REG_SZ /d 'C:\Program Files\Orvella\'
reg 'HKCU\Software\Orvella' /v 'Programm - Sprache' /t REG_SZ /d 'English'
[ -n "$skin" ] && reg 'HKCU\Software\Orvella' /v 'Theme - Pfad' /t REG_SZ /d "C:\\Program Files\\Orvella\\Skins\\$skin"

if [ -n "${DISPLAY:-}" ]; then
    cd "$install" && exec "$WINELOADER" Orvella.exe "$@"
fi

# No display: show it on a virtual one for a few seconds and keep a picture of it.
shot="$PWD/build/screenshot.png"
xvfb-run -a -s "-screen 0 800x600x24" bash -c '
    cd "$1"; shift
    "$WINELOADER" Orvella.exe "$@" &
    # A cold prefix on a busy machine takes a while: wait for the window, then let it paint.
    for _ in $(seq 60); do
        xwininfo -root -tree 2>/dev/null | grep -q "\"Orvella\"" && break
        sleep 0.5
    done
    sleep "${ORVELLA_DEMO_SECONDS:-4}"
    import -display "$DISPLAY" -window root "'"$shot"'" || true
    "$WINESERVER" -k
' run "$install" "$@"
echo "Screenshot: $shot"
