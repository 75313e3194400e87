#!/usr/bin/env bash
# Takes docs/main-window.png: Ardenix.exe under Wine on a private Xvfb display, with a
# store of three profiles beside it, the second profile selected and the adapter box's
# list dropped down. That profile's adapter is this computer's interface with the default
# route (Wine shows it under its Linux name), so the status bar shows its real state.
# With --first-start it takes docs/first-start.png instead: no store, nothing touched, as a
# new user first sees the window. With --editor-network it takes docs/editor-network.png:
# the second profile remembers its network (a gateway and its hardware address) and is set
# to switch automatically there; the editor shows it, the adapter box closed.
#   scripts/screenshot-main.sh [--first-start|--editor-network] [BUILD_DIR]
#   (default build/win, preset win)
set -euo pipefail
cd "$(dirname "$0")/.."
first_start=false
editor_network=false
if [ "${1:-}" = --first-start ]; then first_start=true; shift; fi
if [ "${1:-}" = --editor-network ]; then editor_network=true; shift; fi
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
iface=$(ip -4 route show default | awk '{ for (i = 1; i < NF; ++i) if ($i == "dev") { print $(i + 1); exit } }')
$first_start ||
  sed "s/^LAN=Ethernet 2/LAN=${iface:-eth0}/" tests/ui/data/three-profiles.INI >"$work/Ardenix.INI"
# The file's last section is the second profile in the list.
$editor_network &&
  printf 'NetworkGateway=192.168.7.1\r\nNetworkGatewayMac=00-11-22-33-44-55\r\nOnNetwork=switch\r\n' \
    >>"$work/Ardenix.INI"

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
mkdir -p docs
# From the screen, not the window: the dropped-down list is a window of its own.
shoot() {
  eval "$(xdotool getwindowgeometry --shell "$window")"
  import -display "$DISPLAY" -window root -crop "${WIDTH}x${HEIGHT}+${X}+${Y}" +repage "$1"
  echo "screenshot: $1"
}
if $first_start; then
  shoot docs/first-start.png
  exit 0
fi
# The list has the focus: Down selects the first entry (Home), Down again the next (Lab
# bench), whose static address fills the editor. Tab moves on to the adapter box, F4
# drops its list down.
xdotool key --window "$window" Down Down
sleep 1
if $editor_network; then
  shoot docs/editor-network.png
  exit 0
fi
xdotool key --window "$window" Tab F4
sleep 1
shoot docs/main-window.png
