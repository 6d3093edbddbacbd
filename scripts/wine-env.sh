# Sourced by the scripts: the environment of every wine call of this project.
# Everything wine writes stays under build/, never in the user's home.
ORVELLA_ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
export WINEPREFIX="${WINEPREFIX_OVERRIDE:-$ORVELLA_ROOT/build/wineprefix}"
export WINEARCH=win32
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d;winedbg.exe=d"
export HOME="$ORVELLA_ROOT/build/winehome"
# No sound card here: a null ALSA device lets the volume calls work.
export ALSA_CONFIG_PATH="$ORVELLA_ROOT/build/winehome/asound.conf"
mkdir -p "$HOME"
[ -f "$ALSA_CONFIG_PATH" ] || printf 'pcm.!default { type null }\nctl.!default { type hw card 0 }\n' >"$ALSA_CONFIG_PATH"

# Creates the prefix once; later calls find it ready.
orvella_wine_prefix() {
    if [ ! -f "$WINEPREFIX/system.reg" ]; then
        mkdir -p "$WINEPREFIX"
        wineboot -i >/dev/null 2>&1 </dev/null || true
        wineserver -w
        # A crash must never wait for a click in a dialog nobody sees.
        wine reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 /f \
            >/dev/null 2>&1 </dev/null || true
        wineserver -w
    fi
}
