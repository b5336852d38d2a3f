# Running the Windows programs under wine: Debian's wine64 binary, a private prefix under
# the build folder (made on first use, about 10 s), no debug chatter and no sound drivers.
WINE=${WINE:-/usr/lib/wine/wine64}
export WINEDEBUG=-all
# No sound drivers: the machines this runs on have no sound card, and wine's ALSA driver
# would print its complaints into the terminal. waveOut then finds no device, as intended.
export WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-winealsa.drv,winepulse.drv,wineoss.drv=d}
export WINEPREFIX=${WINEPREFIX:-$(cd "$(dirname "${BASH_SOURCE[0]}")/../../.." && pwd)/build-windows/wine}
[[ -x $WINE ]] || { echo "wine64 not found at $WINE" >&2; exit 1; }
if [[ ! -f $WINEPREFIX/system.reg ]]; then
    mkdir -p "$WINEPREFIX"
    "$WINE" wineboot -i >/dev/null 2>&1 || true
fi
