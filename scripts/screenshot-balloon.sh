#!/usr/bin/env bash
# Takes docs/apply-balloon.png: Ardenix.exe under Wine on a private Xvfb display, with a
# store beside it whose profile "Office" is this computer's interface with the default
# route (Wine shows it under its Linux name); xdotool opens the menu of its icon in
# Wine's "Wine System Tray" window and clicks "Office". A stand-in takes the place of the
# system's netsh, so nothing on this computer changes, and the apply is verified against
# the interface's real state: the balloon below the tray window says so.
# With --offer it takes docs/offer-balloon.png instead: "Workshop" remembers this
# computer's gateway (its hardware address from the neighbour table) and asks to be
# offered there, so Ardenix offers it by itself at start; nothing is clicked.
#   scripts/screenshot-balloon.sh [--offer] [BUILD_DIR]   (default build/win, preset win)
set -euo pipefail
cd "$(dirname "$0")/.."
offer=""
if [ "${1:-}" = --offer ]; then offer=1; shift; fi
build=${1:-build/win}
if [ ! -f "$build/build.ninja" ]; then cmake --preset win -B "$build" >/dev/null; fi
cmake --build "$build" --target Ardenix wine_keepalive netsh_standin >/dev/null

fail() { echo "screenshot: $*" >&2; exit 1; }

# shellcheck source=tests/support/host-interface.sh
. tests/support/host-interface.sh
read_host_interface || fail "this computer has no interface with an IPv4 address"

work=$(mktemp -d)
host="$build/wine-host-screenshot"
netsh=""
ardenix=""
cleanup() {
  if [ -n "$ardenix" ]; then kill "$ardenix" 2>/dev/null || true; fi
  cmake/wine-host.sh stop "$host" >/dev/null 2>&1 || true
  if [ -n "$netsh" ] && [ -f "$netsh.ardenix-original" ]; then
    cp "$netsh.ardenix-original" "$netsh" && rm -f "$netsh.ardenix-original"
  fi
  rm -rf "$work"
}
trap cleanup EXIT

cp "$build/src/ui/Ardenix.exe" "$work/Ardenix.exe"
# In menu order: Home (by DHCP), Office (the host as it is), Workshop (another address in
# the same network). Office is second: the tray window covers the first item's top.
{
  printf '[Home]\r\nLAN=%s\r\nDHCP=1\r\n' "$lan"
  store_profile "Office" "$lan" "$address"
  store_profile "Workshop" "$lan" "${address%.*}.$(((${address##*.} % 250) + 3))"
  if [ -n "$offer" ]; then
    # The link asks for the gateway's address on any attempt to reach it.
    timeout 2 bash -c "exec 3<>/dev/tcp/$gateway/53" >/dev/null 2>&1 || true
    mac=$(ip neigh show "$gateway" dev "$lan" | awk '{ for (i = 1; i < NF; ++i) if ($i == "lladdr") print $(i + 1) }')
    [ -n "$mac" ] || fail "no neighbour entry for the gateway $gateway"
    printf 'NetworkGateway=%s\r\nNetworkGatewayMac=%s\r\nOnNetwork=offer\r\n' "$gateway" "$mac"
  fi
} >"$work/Ardenix.INI"

cmake/wine-host.sh start "$host" "$build/tests/support/wine_keepalive.exe" >/dev/null
host=$(cd "$host" && pwd)
export DISPLAY=":$(cat "$host/display")"

# The stand-in in place of the system's netsh (a saved original is kept as it is); Wine
# runs it only with the override, which netsh inherits from Ardenix.
netsh="$host/wineprefix/drive_c/windows/system32/netsh.exe"
[ -f "$netsh.ardenix-original" ] || cp "$netsh" "$netsh.ardenix-original"
cp "$build/tests/support/netsh_standin.exe" "$netsh"
WINEDLLOVERRIDES='mscoree,mshtml=;netsh.exe=n' \
  cmake/wine-run.sh "$host" "$work/Ardenix.exe" >"$work/ardenix.log" 2>&1 &
ardenix=$!

# shellcheck source=tests/ui/tray-menu.sh
. tests/ui/tray-menu.sh
main_window_up() { xdotool search --onlyvisible --name '^Ardenix 1\.01$' >/dev/null 2>&1; }
await 300 main_window_up || fail "the main window did not appear"
find_tray_icon
if [ -z "$offer" ]; then
  open_menu
  read_menu_rows 3
  xdotool mousemove $((menuX + menuW / 2)) "$(item_y 1)" click 1
fi
# The pointer leaves the picture; the balloon comes 1.5-2 s after the apply's outcome (or
# after the offer, made at start).
xdotool mousemove 1000 700
sleep 4

mkdir -p docs
# The tray window and the balloon below it: all that is not the desktop's colour in the
# screen's top-left corner (the main window, centred, starts further down), and a small
# margin of desktop around it.
import -display "$DISPLAY" -window root "$work/screen.png"
background=$(convert "$work/screen.png" -format '%[pixel:p{0,799}]' info:)
box=$(convert "$work/screen.png" -crop 640x200+0+0 +repage -fuzz 2% -fill black \
  -opaque "$background" -fill white +opaque black -bordercolor black -border 1 -format '%@' info:)
IFS='x+' read -r width height left top <<<"$box"
right=$((left + width - 1)) bottom=$((top + height - 1))
[ "$bottom" -gt $((trayY + trayH + 20)) ] || fail "no balloon below the tray window"
picture=docs/apply-balloon.png
[ -z "$offer" ] || picture=docs/offer-balloon.png
convert "$work/screen.png" -crop "$((right + 4))x$((bottom + 4))+0+0" +repage "$picture"
echo "screenshot: $picture"
