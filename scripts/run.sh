#!/usr/bin/env bash
# Sets up, builds Ardenix.exe and starts it: natively on Windows, under Wine elsewhere.
# Under Wine it uses the display in $DISPLAY; without one it starts an Xvfb display
# and says which.
set -euo pipefail
cd "$(dirname "$0")/.."

case "$(uname -s)" in
MINGW* | MSYS* | CYGWIN*)
  cmake -S . -B build/windows-native -G Ninja -DCMAKE_BUILD_TYPE=Release
  cmake --build build/windows-native --target Ardenix
  exec build/windows-native/src/ui/Ardenix.exe
  ;;
esac

bash scripts/setup.sh
cmake --preset win >/dev/null
cmake --build --preset win --target Ardenix

export WINEPREFIX="${WINEPREFIX:-$HOME/.wine-ardenix}"
export WINEDLLOVERRIDES="${WINEDLLOVERRIDES:-mscoree,mshtml=}"
export WINEDEBUG="${WINEDEBUG:--all}"
if [ -z "${DISPLAY:-}" ]; then
  n=$((100 + RANDOM % 800))
  Xvfb ":$n" -screen 0 1280x800x24 -nolisten tcp >/dev/null 2>&1 &
  export DISPLAY=":$n"
  for _ in $(seq 50); do xdpyinfo >/dev/null 2>&1 && break; sleep 0.1; done
  echo "run: no DISPLAY given, Ardenix runs on the Xvfb display $DISPLAY"
  # No window manager runs there: Wine draws the windows' title bars and frames itself.
  wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ /d N /f >/dev/null 2>&1 </dev/null || true
fi
exec wine build/win/src/ui/Ardenix.exe
