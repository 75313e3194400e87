#!/usr/bin/env bash
# Takes docs/main-window.png: Ardenix.exe under Wine on a private Xvfb display, with a
# store of three profiles beside it and the second profile selected.
#   scripts/screenshot-main.sh [BUILD_DIR]   (default build/win, configured with preset win)
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build/win}
if [ ! -f "$build/build.ninja" ]; then cmake --preset win -B "$build" >/dev/null; fi
cmake --build "$build" --target Ardenix wine_keepalive >/dev/null

work=$(mktemp -d)
host="$build/wine-host-screenshot"
cleanup() {
  cmake/wine-host.sh stop "$host" >/dev/null 2>&1 || true
  rm -rf "$work"
}
trap cleanup EXIT

cp "$build/src/ui/Ardenix.exe" "$work/Ardenix.exe"
blank='   .   .   .   '
{
  printf '[Home]\r\nLAN=Local Area Connection\r\nDHCP=1\r\n'
  for key in IP SN DG DNS ADNS WINS; do printf '%s=%s\r\n' "$key" "$blank"; done
  printf '[Office]\r\nLAN=Local Area Connection\r\nDHCP=0\r\nIP=10 .0  .0  .5  \r\n'
  printf 'SN=255.255.255.0  \r\nDG=10 .0  .0  .1  \r\nDNS=10 .0  .0  .1  \r\n'
  printf 'ADNS=10 .0  .0  .2  \r\nWINS=%s\r\n' "$blank"
  printf '[Lab bench]\r\nLAN=Ethernet 2\r\nDHCP=0\r\nIP=192.168.7  .20 \r\n'
  printf 'SN=255.255.255.0  \r\nDG=192.168.7  .1  \r\nDNS=192.168.7  .1  \r\n'
  printf 'ADNS=%s\r\nWINS=%s\r\n' "$blank" "$blank"
} >"$work/Ardenix.INI"

cmake/wine-host.sh start "$host" "$build/tests/support/wine_keepalive.exe" >/dev/null
export DISPLAY=":$(cat "$host/display")"
cmake/wine-run.sh "$(cd "$host" && pwd)" "$work/Ardenix.exe" >/dev/null 2>&1 &

window=""
for _ in $(seq 150); do
  window=$(xdotool search --onlyvisible --name '^Ardenix 1\.01$' 2>/dev/null | head -n 1 || true)
  [ -n "$window" ] && break
  sleep 0.2
done
[ -n "$window" ] || { echo "screenshot: the main window did not appear" >&2; exit 1; }
sleep 1
# The list has the focus: Down selects the first entry (Home), Down again the next (Lab
# bench), whose static address fills the editor.
xdotool key --window "$window" Down Down
sleep 1
mkdir -p docs
import -display "$DISPLAY" -window "$window" docs/main-window.png
echo "screenshot: docs/main-window.png"
