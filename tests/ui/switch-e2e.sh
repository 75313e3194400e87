#!/usr/bin/env bash
# A profile remembers its network and is switched to or offered there, end to end under
# Wine on the host's own interface (the one of the default route) and its real gateway,
# whose neighbour entry gives a real hardware address. Ardenix.com and Ardenix.exe run
# from a folder with blanks in the Wine session of wine-host.sh; the stand-in in place of
# the system's netsh records the script and changes nothing, so the host stays as it is.
#
#   A  /apply of a profile that is as the host is: verified, and its section gains
#      NetworkGateway and NetworkGatewayMac (the gateway's hardware address as `ip neigh`
#      has it). An apply that is only partly verified remembers nothing, nor does a
#      profile that was not applied.
#   B  "Office" (another address: not in force) remembers the host's network and is set to
#      switch; "Elsewhere" is set to switch on a network that is not here. Ardenix.exe is
#      started: Office's script goes to netsh, once, and the status part and the balloon
#      report it with "Switched automatically: ".
#   C  The same Office set to offer: the balloon "Office's network is here (LAN). Click to
#      switch." and netsh is never started.
#
#   switch-e2e.sh HOST_DIR ARDENIX_EXE ARDENIX_COM NETSH_STANDIN_EXE SHOWN_TEXT_READER_EXE
set -euo pipefail

host=$(cd "${1:?wine host directory}" && pwd)
exe=${2:?Ardenix.exe}
com=${3:?Ardenix.com}
standin=${4:?netsh stand-in}
reader=${5:?shown_text_reader.exe}
here=$(cd "$(dirname "$0")" && pwd)
run="$here/../../cmake/wine-run.sh"
export WINEPREFIX="$host/wineprefix"

failures=0
fail() { printf 'switch-e2e: %s\n' "$*" >&2; failures=$((failures + 1)); }
say() { printf 'switch-e2e: %s\n' "$*"; }

[ -f "$host/display" ] || { fail "no Wine session in $host (run inside the wine_host fixture)"; exit 1; }

work=$(mktemp -d)
# shellcheck source=../support/running-ardenix.sh
. "$here/../support/running-ardenix.sh"
cleanup() {
  ardenix_stop
  netsh_back
  rm -rf "$work"
}
trap cleanup EXIT

# --- The host's interface and its gateway's hardware address -------------------------------

# shellcheck source=../support/host-interface.sh
. "$here/../support/host-interface.sh"
read_host_interface || { fail "the host has no interface with an IPv4 address"; exit 1; }
[ -n "$gateway" ] || { fail "the host's interface $lan has no default gateway"; exit 1; }
# Another host address in the same network, for a profile that is not in force.
other="${address%.*}.$(( (${address##*.} % 250) + 3 ))"

# The gateway's hardware address as the neighbour table holds it, in the store's form.
# Something sent to the gateway lately keeps an entry there (a connection attempt,
# refused or not, asks the link for the gateway's address first).
gateway_hardware_address() {
  timeout 2 bash -c "exec 3<>/dev/tcp/$gateway/53" >/dev/null 2>&1 || true
  ip neigh show "$gateway" dev "$lan" |
    awk '{ for (i = 1; i < NF; ++i) if ($i == "lladdr") print $(i + 1) }' | head -n 1 |
    tr 'a-f:' 'A-F-'
}
gateway_mac=$(gateway_hardware_address)
[ -n "$gateway_mac" ] || { fail "the gateway $gateway has no neighbour entry on $lan"; exit 1; }
say "the host's network: $lan, gateway $gateway ($gateway_mac)"

folder="$work/Ardenix switch"
mkdir -p "$folder"
cp "$exe" "$folder/Ardenix.exe"
cp "$com" "$folder/Ardenix.com"
netsh_standin_in "$standin"

# The network keys of a section of the store, "key=value" a line.
network_keys() {
  tr -d '\r' <"$folder/Ardenix.INI" |
    awk -v section="[$1]" '/^\[/ { inside = ($0 == section) } inside && /^Network/'
}

# --- A: a verified apply remembers the network ----------------------------------------------

{
  store_profile "Host now" "$lan" "$address"
  store_profile "Other address" "$lan" "$other"
  store_profile "Not applied" "$lan" "$address"
} >"$folder/Ardenix.INI"

# apply CAPTION: /apply through Ardenix.com from its folder; sets code.
apply() {
  code=0
  gateway_hardware_address >/dev/null  # the entry fresh for the reading after the apply
  (cd "$folder" && WINEDLLOVERRIDES='mscoree,mshtml=;netsh.exe=n' \
    ARDENIX_NETSH_RECORD="$(windows_path "$work/netsh.record")" \
    "$run" "$host" "$folder/Ardenix.com" /apply "$1") >"$work/out" 2>&1 </dev/null || code=$?
  say "A: /apply $1: exit $code: $(tr -d '\r' <"$work/out")"
}

apply "Host now"
[ "$code" = 0 ] || fail "A: /apply \"Host now\" was not verified (exit $code)"
expected=$(printf 'NetworkGateway=%s\nNetworkGatewayMac=%s' "$gateway" "$gateway_mac")
[ "$(network_keys "Host now")" = "$expected" ] ||
  fail "A: Host now remembers '$(network_keys "Host now")', expected '$expected'"
apply "Other address"
[ "$code" = 2 ] || fail "A: /apply \"Other address\": exit $code, expected 2 (partly active)"
[ -z "$(network_keys "Other address")" ] ||
  fail "A: a partly verified apply remembered '$(network_keys "Other address")'"
[ -z "$(network_keys "Not applied")" ] ||
  fail "A: a profile not applied remembered '$(network_keys "Not applied")'"

# --- B and C: Ardenix.exe started on the host's network -------------------------------------

# make_store ON_NETWORK: Office asks for ON_NETWORK on the host's network; Elsewhere
# switches on another network.
make_store() {
  {
    store_profile "Office" "$lan" "$other"
    printf 'NetworkGateway=%s\r\nNetworkGatewayMac=%s\r\nOnNetwork=%s\r\n' \
      "$gateway" "$gateway_mac" "$1"
    store_profile "Elsewhere" "$lan" "${other%.*}.$(( (${other##*.} % 250) + 3 ))"
    printf 'NetworkGateway=%s\r\nNetworkGatewayMac=02-00-00-00-00-99\r\nOnNetwork=switch\r\n' \
      "$gateway"
  } >"$folder/Ardenix.INI"
}

make_store switch
gateway_hardware_address >/dev/null
began=$EPOCHREALTIME
ardenix_start "$folder"
if await 60 test -f "$work/netsh.record"; then
  say "B: Office's script went to netsh $(seconds_since "$began") s after the start"
  [ "$(script_address)" = "$other" ] || fail "B: the script sets '$(script_address)', not Office's $other"
  prefix="Switched automatically: Office "
  if await 30 shown_line "^status=$prefix"; then say "B: $shown"; else
    fail "B: the status part does not report the automatic switch: $(cat "$work/shown")"
  fi
  if await 30 shown_line "^balloon=$prefix"; then say "B: $shown"; else
    fail "B: no balloon reports the automatic switch: $(cat "$work/shown")"
  fi
  # The stand-in changes nothing: Office is still not in force, and is not tried again.
  [ "$(netsh_calls)" = 1 ] || fail "B: netsh was started $(netsh_calls) times, expected once"
else
  fail "B: Office was not applied at the start on its network"
fi
ardenix_stop

make_store offer
gateway_hardware_address >/dev/null
began=$EPOCHREALTIME
ardenix_start "$folder"
offer="Office's network is here ($lan). Click to switch."
if await 60 shown_exactly "balloon=$offer"; then
  say "C: the offer showed $(seconds_since "$began") s after the start: $shown"
else
  fail "C: no offer for Office at the start on its network: $(cat "$work/shown")"
fi
[ "$(netsh_calls)" = 0 ] || fail "C: an offer started netsh: $(script_address)"
ardenix_stop

[ "$failures" = 0 ] || { say "$failures failures" >&2; exit 1; }
say "Office remembered the host's network and was switched to and offered there"
