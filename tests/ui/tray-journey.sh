#!/usr/bin/env bash
# A person's journey through Ardenix's icon in the notification area, with real input
# from outside the program: Ardenix.exe, copied into a folder of its own with a store of
# three profiles beside it, runs in the Wine session of wine-host.sh; xdotool presses the
# right button on its icon in Wine's "Wine System Tray" window, clicks "Lab bench" in the
# menu that opens, and the temporary script of that profile must appear beside the
# program, with netsh (a stand-in put in place of the system's) started on it. Then Exit
# from the same menu ends the program, which writes its store back.
#
#   tray-journey.sh HOST_DIR ARDENIX_EXE NETSH_STANDIN_EXE [SCREENSHOT.png]
#
# With SCREENSHOT the open menu, the pointer on "Lab bench", is saved there (the top-left
# part of the screen: the tray window and the menu).
set -euo pipefail

host=$(cd "${1:?wine host directory}" && pwd)
exe=${2:?Ardenix.exe}
standin=${3:?netsh stand-in}
screenshot=${4:-}
here=$(cd "$(dirname "$0")" && pwd)
run="$here/../../cmake/wine-run.sh"

fail() {
  printf 'tray-journey: %s\n' "$*" >&2
  if [ -n "${DISPLAY:-}" ] && [ -n "${work:-}" ]; then
    import -display "$DISPLAY" -window root "$work/failure.png" 2>/dev/null &&
      cp "$work/failure.png" "$host/tray-journey-failure.png" 2>/dev/null &&
      printf 'tray-journey: screen saved as %s\n' "$host/tray-journey-failure.png" >&2
  fi
  exit 1
}

[ -f "$host/display" ] || fail "no Wine session in $host (run inside the wine_host fixture)"
export DISPLAY=":$(cat "$host/display")"
export WINEPREFIX="$host/wineprefix"

# A Windows path (drive Z: is the root of the Unix file system).
windows_path() { printf 'Z:%s' "${1//\//\\}"; }

# --- The program's folder, its store, and the stand-in in place of the system's netsh ----

work=$(mktemp -d)
folder="$work/Ardenix journey"
mkdir -p "$folder"
cp "$exe" "$folder/Ardenix.exe"
record="$work/netsh.record"
# "Lab bench" on the host's own interface: an apply to an adapter that is not there is
# refused before anything is written.
# shellcheck source=../support/host-interface.sh
. "$here/../support/host-interface.sh"
read_host_interface || fail "the host has no interface with an IPv4 address besides loopback"
sed "s/^LAN=Ethernet 2/LAN=$lan/" "$here/data/three-profiles.INI" >"$folder/Ardenix.INI"

# The same hand-over as the netsh end-to-end test: a saved original is kept as it is.
netsh="$WINEPREFIX/drive_c/windows/system32/netsh.exe"
original="$netsh.ardenix-original"
[ -f "$original" ] || cp "$netsh" "$original"
cp "$standin" "$netsh"

ardenix=""
cleanup() {
  if [ -n "$ardenix" ] && kill -0 "$ardenix" 2>/dev/null; then
    kill "$ardenix" 2>/dev/null || true
    wait "$ardenix" 2>/dev/null || true
  fi
  if [ -f "$original" ]; then cp "$original" "$netsh" && rm -f "$original"; fi
  rm -rf "$work"
}
trap cleanup EXIT

# Wine takes the netsh override from the environment a program starts with; netsh
# inherits it from Ardenix, and the record's name with it.
WINEDLLOVERRIDES='mscoree,mshtml=;netsh.exe=n' ARDENIX_NETSH_RECORD="$(windows_path "$record")" \
  "$run" "$host" "$folder/Ardenix.exe" >"$work/ardenix.log" 2>&1 &
ardenix=$!

# --- The icon in Wine's notification area ---------------------------------------------

# shellcheck source=tray-menu.sh
. "$here/tray-menu.sh"

main_window_up() { xdotool search --onlyvisible --name '^Ardenix 1\.01$' >/dev/null 2>&1; }
await 300 main_window_up || fail "the main window did not appear"

find_tray_icon

open_menu
read_menu_rows 3
# In list order: Home, Lab bench, Office.
xdotool mousemove $((menuX + menuW / 2)) "$(item_y 1)"
sleep 0.5
if [ -n "$screenshot" ]; then
  right=$((menuX + menuW + 24))
  bottom=$((menuY + menuH + 24))
  import -display "$DISPLAY" -window root -crop "${right}x${bottom}+0+0" +repage "$screenshot"
  printf 'tray-journey: menu saved as %s\n' "$screenshot"
fi
xdotool click 1

# --- What applying "Lab bench" left ----------------------------------------------------

expected=$(printf '%s\r\n' \
  'pushd interface ip' \
  "set address name=\"$lan\" source=static addr=192.168.7.20 mask=255.255.255.0" \
  "set address name=\"$lan\" gateway=192.168.7.1 gwmetric=0" \
  "set dns name=\"$lan\" source=static addr=192.168.7.1" \
  "set wins name=\"$lan\" source=static addr=none" \
  'popd')
script="$folder/Ardenix.TMP"
await 200 test -f "$script" || fail "no temporary script after the click"
actual=$(cat "$script")
[ "$actual" = "$expected" ] || fail "the script is not Lab bench's:
$actual"
printf 'tray-journey: the script of "Lab bench" appeared beside the program\n'

await 300 test -f "$record" || fail "netsh was not started (or not the stand-in)"
grep -qF -- "-f \"$(windows_path "$folder")\\Ardenix.TMP\"" "$record" ||
  fail "netsh was not started on the script: $(head -n 2 "$record")"
printf 'tray-journey: netsh started on it: %s\n' "$(sed -n 2p "$record")"

# --- Exit from the same menu ------------------------------------------------------------

open_menu
read_menu_rows 3
xdotool mousemove $((menuX + menuW / 2)) $((menuY + menuH - top - item / 2)) click 1
# A process whose parent is gone stays a zombie here: its state says it has ended.
ended() {
  kill -0 "$ardenix" 2>/dev/null || return 0
  case "$(ps -o stat= -p "$ardenix" 2>/dev/null)" in Z*) return 0 ;; *) return 1 ;; esac
}
await 200 ended || fail "Exit did not end the program"
wait "$ardenix" || fail "the program ended with code $?"
ardenix=""
grep -q '^\[Lab bench\]' "$folder/Ardenix.INI" || fail "the store was not written back"
printf 'tray-journey: Exit ended the program\n'
