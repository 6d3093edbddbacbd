# Sourced by the scripts: the environment of every wine call of this project.
# Everything wine writes stays under build/, never in the user's home.
#
# ORVELLA_WINDOWS_TREE picks the programs' bitness: win64 (the default) or win32. Each has its
# own prefix, and wine runs through that bitness's own loader and server, never through the
# "wine" script, which takes the 32-bit loader whenever wine32 is installed.
ORVELLA_ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
export ORVELLA_WINDOWS_TREE="${ORVELLA_WINDOWS_TREE:-win64}"
case "$ORVELLA_WINDOWS_TREE" in
win64)
    export WINEARCH=win64
    export WINELOADER=/usr/lib/wine/wine64
    export WINESERVER=/usr/lib/wine/wineserver64
    ;;
win32)
    export WINEARCH=win32
    export WINELOADER=/usr/lib/wine/wine
    export WINESERVER=/usr/lib/wine/wineserver32
    ;;
*)
    echo "ORVELLA_WINDOWS_TREE must be win64 or win32, not $ORVELLA_WINDOWS_TREE" >&2
    return 2 2>/dev/null || exit 2
    ;;
esac
export WINEPREFIX="${WINEPREFIX_OVERRIDE:-$ORVELLA_ROOT/build/wineprefix-$ORVELLA_WINDOWS_TREE}"
export WINEDEBUG=-all
export WINEDLLOVERRIDES="${WINEDLLOVERRIDES:-mscoree,mshtml=;winemenubuilder.exe=d;winedbg.exe=d}"
export HOME="$ORVELLA_ROOT/build/winehome"
# No sound card here: a null ALSA device lets the volume calls work.
export ALSA_CONFIG_PATH="${ALSA_CONFIG_PATH:-$ORVELLA_ROOT/build/winehome/asound.conf}"
mkdir -p "$HOME"
[ -f "$ALSA_CONFIG_PATH" ] || printf 'pcm.!default { type null }\nctl.!default { type hw card 0 }\n' >"$ALSA_CONFIG_PATH"

wine() { "$WINELOADER" "$@"; }
wineserver() { "$WINESERVER" "$@"; }

# Whether this machine runs the chosen bitness's wine at all (some refuse 32-bit programs).
orvella_wine_works() {
    [ -x "$WINELOADER" ] && [ -x "$WINESERVER" ] && "$WINELOADER" --version >/dev/null 2>&1
}

# Creates the prefix once; later calls find it ready.
orvella_wine_prefix() {
    if [ ! -f "$WINEPREFIX/system.reg" ]; then
        mkdir -p "$WINEPREFIX"
        wine wineboot -i >/dev/null 2>&1 </dev/null || true
        wineserver -w
        # A crash must never wait for a click in a dialog nobody sees.
        wine reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 /f \
            >/dev/null 2>&1 </dev/null || true
        wineserver -w
    fi
}
