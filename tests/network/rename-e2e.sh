#!/usr/bin/env bash
# A profile follows its adapter when Linux renames the interface under it, end to end
# under Wine with a real interface made for the test in a network namespace of its own
# (tests/support/lab-network.sh), with a Wine session and Xvfb display of its own in there
# (cmake/wine-host.sh on STATE_DIR, whose prefix is made once and kept). The stand-in takes
# the prefix's netsh: it records the script it was given and changes nothing, so the
# interface already has the profile's settings and each apply is verified against them.
#
#   A  a profile "Office" on dummy0 is applied: verified, the script names dummy0.
#   B  dummy0 is renamed lab0 and the Wine session started again (a running session keeps
#      the old name); Wine keeps the adapter's GUID and hardware address.
#   C  /list marks Office active; the window's status part says lab0 (was "dummy0");
#      the store's LAN stays dummy0 until an apply is verified; /apply Office writes
#      lab0 into the script, reports the rename, and the store's LAN becomes lab0; the
#      next apply reports plain lab0.
#
# ARDENIX_RENAME_SCREENSHOT=FILE.png also takes a picture of Ardenix.exe's window (the
# profile selected) after the rename, for the eyes; it needs xdotool and ImageMagick.
#
#   rename-e2e.sh STATE_DIR KEEPALIVE_EXE ARDENIX_EXE ARDENIX_COM NETSH_STANDIN_EXE \
#                 ADAPTER_IDENTITY_PROBE_EXE ADAPTER_WINDOW_PROBE_EXE
set -euo pipefail

here=$(cd "$(dirname "$0")" && pwd)
# shellcheck source=../support/lab-network.sh
. "$here/../support/lab-network.sh"
enter_lab_namespace "$0" "$@"

mkdir -p "${1:?state directory}"
state=$(cd "$1" && pwd)
keepalive=${2:?wine_keepalive.exe}
exe=${3:?Ardenix.exe}
com=${4:?Ardenix.com}
standin=${5:?netsh stand-in}
identity_probe=${6:?adapter_identity_probe.exe}
window_probe=${7:?adapter_window_probe.exe}
wine_host="$here/../../cmake/wine-host.sh"
run="$here/../../cmake/wine-run.sh"
export WINEPREFIX="$state/wineprefix"

windows_path() { printf 'Z:%s' "${1//\//\\}"; }

# --- The lab's network and the store ------------------------------------------------------

address=10.99.0.2
prefix=24
gateway=10.99.0.1
gateway_hardware=02:00:0a:63:00:01
settings="$address/$prefix, gateway $gateway, DNS 10.99.0.53"
# The names store_profile takes.
# shellcheck disable=SC2034
mask=255.255.255.0
servers=(10.99.0.53)
# shellcheck source=../support/host-interface.sh
. "$here/../support/host-interface.sh"

work=$(mktemp -d)
folder="$work/Ardenix rename"
mkdir -p "$folder"
cp "$exe" "$folder/Ardenix.exe"
cp "$com" "$folder/Ardenix.com"
store_profile "Office" dummy0 "$address" >"$folder/Ardenix.INI"
record="$work/netsh.record"

netsh="$WINEPREFIX/drive_c/windows/system32/netsh.exe"
original="$netsh.ardenix-original"
cleanup() {
  bash "$wine_host" stop "$state" >/dev/null 2>&1 || true
  if [ -f "$original" ]; then cp "$original" "$netsh" && rm -f "$original"; fi
  rm -rf "$work"
}
trap cleanup EXIT

failures=0
fail() { printf 'rename-e2e: %s\n' "$*" >&2; failures=$((failures + 1)); }

seconds_since() { awk -v from="$1" -v to="$EPOCHREALTIME" 'BEGIN { printf "%.2f", to - from }'; }

# A Wine session sees the interfaces as they were when it started.
start_session() {
  local began=$EPOCHREALTIME
  bash "$wine_host" start "$state" "$keepalive"
  echo "rename-e2e: Wine session and display up in $(seconds_since "$began") s"
  if [ ! -f "$original" ]; then cp "$netsh" "$original"; fi
  cp "$standin" "$netsh"
}
restart_session() {
  bash "$wine_host" stop "$state" >/dev/null
  start_session
}

# "GUID|hardware address" of the adapter Wine shows under this name; empty when none.
identity_of() {
  "$run" "$state" "$identity_probe" </dev/null >"$work/identities" 2>&1 ||
    fail "the identity probe failed: $(cat "$work/identities")"
  tr -d '\r' <"$work/identities" | awk -F'|' -v name="$1" '$1 == name { print $2 "|" $3 }'
}

# Ardenix.com ARGS... from its folder, through the stand-in netsh: sets code and out, and
# fails the case when it writes to stderr.
ardenix() {
  rm -f "$record"
  code=0
  (cd "$folder" && WINEDLLOVERRIDES='mscoree,mshtml=;netsh.exe=n' \
    ARDENIX_NETSH_RECORD="$(windows_path "$record")" \
    "$run" "$state" "$folder/Ardenix.com" "$@") >"$work/out" 2>"$work/err" </dev/null || code=$?
  out=$(tr -d '\r' <"$work/out")
  printf 'rename-e2e: Ardenix %s: exit %s: %s\n' "$*" "$code" "$out"
  [ ! -s "$work/err" ] || fail "Ardenix $*: unexpected stderr: $(cat "$work/err")"
}

# expect_apply LABEL LINE: /apply Office is verified (exit 0) with this report.
expect_apply() {
  ardenix /apply Office
  [ "$code" = 0 ] || fail "$1: exit code $code, expected 0"
  [ "$out" = "$2" ] || fail "$1: reported
  $out
expected
  $2"
}

# The adapter every line of the last apply's script names.
expect_script_names() {
  [ -f "$record" ] || { fail "$1: netsh was not started"; return; }
  local names
  names=$(grep -ao 'name="[^"]*"' "$record" | sort -u | paste -sd' ')
  [ "$names" = "name=\"$2\"" ] || fail "$1: the script names $names, expected name=\"$2\""
}

# The store's LAN of Office.
expect_store_lan() {
  local lan
  lan=$(tr -d '\r' <"$folder/Ardenix.INI" | awk '/^\[/ { inside = ($0 == "[Office]") } inside && sub(/^LAN=/, "")')
  [ "$lan" = "$2" ] || fail "$1: the store's LAN is '$lan', expected '$2'"
}

# Opens the main window (adapter_window_probe.exe) on a copy of the store; shown KEY then
# gives what it showed: the status part and the tray menu's entry after Office is selected.
open_window() {
  local window="$work/window"
  mkdir -p "$window"
  cp "$window_probe" "$window/probe.exe"
  cp "$folder/Ardenix.INI" "$window/probe.INI"
  "$run" "$state" "$window/probe.exe" </dev/null >"$work/shown" 2>&1 ||
    fail "the window probe failed: $(cat "$work/shown")"
}
shown() { tr -d '\r' <"$work/shown" | sed -n "s/^$1=//p"; }

screenshot() {
  local file=$1 window="$work/screenshot" id=""
  mkdir -p "$window"
  cp "$exe" "$window/Ardenix.exe"
  cp "$folder/Ardenix.INI" "$window/Ardenix.INI"
  "$run" "$state" "$window/Ardenix.exe" >/dev/null 2>&1 </dev/null &
  DISPLAY=":$(cat "$state/display")"
  export DISPLAY
  for _ in $(seq 150); do
    id=$(xdotool search --onlyvisible --name '^Ardenix 1\.01$' 2>/dev/null | head -n 1 || true)
    [ -n "$id" ] && break
    sleep 0.2
  done
  [ -n "$id" ] || { fail "screenshot: the main window did not appear"; return; }
  xdotool key --window "$id" Down
  sleep 1
  eval "$(xdotool getwindowgeometry --shell "$id")"
  import -window root -crop "${WIDTH}x${HEIGHT}+${X}+${Y}" +repage "$file"
  echo "rename-e2e: screenshot $file"
}

# --- A: the profile is made on dummy0 and applied -----------------------------------------

began=$EPOCHREALTIME
lab_name_servers "$work" "${servers[@]}"
lab_interface dummy0
lab_network dummy0 "$address/$prefix" "$gateway" "$gateway_hardware"
echo "rename-e2e: namespace network up in $(seconds_since "$began") s"
start_session

before=$(identity_of dummy0)
[ -n "$before" ] || fail "A: Wine shows no adapter dummy0"
echo "rename-e2e: dummy0 is $before"
expect_apply "A: /apply on dummy0" "Office is active on dummy0: $settings"
expect_script_names "A: /apply on dummy0" dummy0

# --- B: the interface is renamed; a new Wine session sees it ------------------------------

lab_rename dummy0 lab0
lab_network lab0 "$address/$prefix" "$gateway" "$gateway_hardware"
restart_session
after=$(identity_of lab0)
echo "rename-e2e: lab0 is ${after:-not there}"
[ -z "$(identity_of dummy0)" ] || fail "B: Wine still shows dummy0 after the restart"
[ "$after" = "$before" ] ||
  fail "B: Wine gave the renamed interface another identity: '$after', was '$before'"

# --- C: Ardenix started again follows the renamed adapter ---------------------------------

ardenix /list
[[ $code = 0 && $out == "* Office (active on "* ]] ||
  fail "C: /list: exit $code, '$out', expected Office marked active"
open_window
status="lab0 (was \"dummy0\"): connected, $settings"
[ "$(shown status)" = "$status" ] ||
  fail "C: the status part shows '$(shown status)', expected '$status'"
[ "$(shown menu)" = "Office|1" ] || fail "C: the tray menu shows '$(shown menu)', expected 'Office|1'"
expect_store_lan "C: before an apply" dummy0
if [ -n "${ARDENIX_RENAME_SCREENSHOT:-}" ]; then screenshot "$ARDENIX_RENAME_SCREENSHOT"; fi

expect_apply "C: /apply after the rename" \
  "Office is active on lab0 (renamed from \"dummy0\"): $settings"
expect_script_names "C: /apply after the rename" lab0
expect_store_lan "C: after the verified apply" lab0
expect_apply "C: /apply once the store follows" "Office is active on lab0: $settings"

[ "$failures" = 0 ] || { echo "rename-e2e: $failures failures" >&2; exit 1; }
echo "rename-e2e: the profile followed dummy0 renamed lab0"
