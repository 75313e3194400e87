#!/usr/bin/env bash
# /apply and /list end to end under Wine: Ardenix.exe and Ardenix.com, copied into a
# folder with blanks beside a store of profiles made from the host's own interface (the
# one of the default route: its address and prefix from `ip -4 addr`, its gateway from
# `ip route`, the name servers from /etc/resolv.conf, which is what Wine's adapters show),
# apply through the stand-in put in place of the system's netsh. The host is never
# changed: the stand-in only records its start. Each case compares the exit code and
# the line printed.
#
#   apply-e2e.sh HOST_DIR ARDENIX_EXE ARDENIX_COM NETSH_STANDIN_EXE
set -euo pipefail

host=$(cd "${1:?wine host directory}" && pwd)
exe=${2:?Ardenix.exe}
com=${3:?Ardenix.com}
standin=${4:?netsh stand-in}
here=$(cd "$(dirname "$0")" && pwd)
run="$here/../../cmake/wine-run.sh"
export WINEPREFIX="$host/wineprefix"

windows_path() { printf 'Z:%s' "${1//\//\\}"; }

# --- The host's interface -----------------------------------------------------------------

# shellcheck source=../support/host-interface.sh
. "$here/../support/host-interface.sh"
read_host_interface || { echo "apply-e2e: the host has no interface with an IPv4 address" >&2; exit 1; }
dns=${servers[0]:-}
adns=${servers[1]:-}
# Another host address in the same network, for a profile that is not in force.
other="${address%.*}.$(( (${address##*.} % 250) + 3 ))"
# The gateway's hardware address as the neighbour table has it (Wine reads that table),
# as the system writes it; empty when the host has no entry for its gateway.
gateway_mac=$(ip neigh show "${gateway:-none}" dev "$lan" 2>/dev/null |
  awk '{ for (i = 1; i < NF; ++i) if ($i == "lladdr") { print toupper($(i + 1)); exit } }' | tr : -)
if [ -n "$gateway_mac" ]; then
  here=" (its network is here)"
else
  here=""
  echo "apply-e2e: the host has no neighbour entry for its gateway: no network is here"
fi

work=$(mktemp -d)
folder="$work/Ardenix apply"
mkdir -p "$folder"
cp "$exe" "$folder/Ardenix.exe"
cp "$com" "$folder/Ardenix.com"
record="$work/netsh.record"
# Two profiles that remember the gateway, as another tool may spell its address: one on
# the host's adapter, whose network is here, and one on an adapter that is not.
remembered=$(printf 'NetworkGatewayMac=%s\r\n' "$(printf '%s' "${gateway_mac:-02-00-00-00-00-01}" | tr 'A-F-' 'a-f:')")
{
  store_profile "Host now" "$lan" "$address"
  store_profile "Other address" "$lan" "$other"
  printf '%s' "$remembered"
  store_profile "Nowhere" "Local Area Connection" "$address"
  printf '%s' "$remembered"
} >"$folder/Ardenix.INI"

netsh="$WINEPREFIX/drive_c/windows/system32/netsh.exe"
original="$netsh.ardenix-original"
[ -f "$original" ] || cp "$netsh" "$original"
cp "$standin" "$netsh"
cleanup() {
  if [ -f "$original" ]; then cp "$original" "$netsh" && rm -f "$original"; fi
  rm -rf "$work"
}
trap cleanup EXIT

failures=0
fail() { printf 'apply-e2e: %s\n' "$*" >&2; failures=$((failures + 1)); }

# expect LABEL CODE STREAM LINE [ENV=VALUE...] -- ARGS...: runs Ardenix.exe from its folder
# and compares the exit code and the one line on STREAM (out or err); the other stays empty.
expect() {
  local label=$1 code=$2 stream=$3 line=$4
  shift 4
  local env=()
  while [ "$1" != -- ]; do env+=("$1"); shift; done
  shift
  local got=0
  rm -f "$record"
  (cd "$folder" && env WINEDLLOVERRIDES='mscoree,mshtml=;netsh.exe=n' \
    ARDENIX_NETSH_RECORD="$(windows_path "$record")" "${env[@]}" \
    "$run" "$host" "${program:-$folder/Ardenix.exe}" "$@") >"$work/out" 2>"$work/err" </dev/null || got=$?
  local other=err
  [ "$stream" = err ] && other=out
  [ "$got" = "$code" ] || fail "$label: exit code $got, expected $code"
  local printed
  printed=$(tr -d '\r' <"$work/$stream")
  [ "$printed" = "$line" ] || fail "$label: printed
  $printed
expected
  $line"
  [ ! -s "$work/$other" ] || fail "$label: unexpected std$other: $(cat "$work/$other")"
  printf '%s: exit %s: %s\n' "$label" "$got" "$printed"
}

settings="$address/$prefix, gateway $gateway, DNS $dns${adns:+, $adns}"
store="$(windows_path "$folder")\\Ardenix.INI"

expect "verified" 0 out "Host now is active on $lan: $settings" -- /apply "Host now"
[ -f "$record" ] || fail "verified: netsh was not started"
# The verified profile is bound to its adapter: its section alone gains the identity keys.
# (grep -q reads a here-string, not a pipe: under pipefail a grep that stops at its first
# match may end the writer with SIGPIPE, which then fails the check that matched.)
bound=$(awk -v RS='\r\n' '/^\[/ { section = $0 } /^Adapter(Id|Mac)=/ { print section ": " $0 }' \
  "$folder/Ardenix.INI")
grep -qE '^\[Host now\]: AdapterId=\{[0-9A-Fa-f-]{36}\}$' <<<"$bound" ||
  fail "verified: the profile was not bound to its adapter: $bound"
[ "$(printf '%s\n' "$bound" | grep -vc '^\[Host now\]: ')" = 0 ] ||
  fail "verified: other profiles were bound: $bound"
# ... and remembers its network: the gateway and its hardware address.
network=$(awk -v RS='\r\n' '/^\[/ { section = $0 } section == "[Host now]" && /^Network/' "$folder/Ardenix.INI")
expected_network=""
[ -z "$gateway_mac" ] || expected_network=$(printf 'NetworkGateway=%s\nNetworkGatewayMac=%s' "$gateway" "$gateway_mac")
[ "$network" = "$expected_network" ] ||
  fail "verified: the profile remembers the network
  $network
expected
  $expected_network"
grep -qF -- "-f \"$(windows_path "$folder")\\Ardenix.TMP\"" "$record" 2>/dev/null ||
  fail "verified: netsh was not started on the script beside the program"
program="$folder/Ardenix.com" expect "verified through Ardenix.com" 0 out \
  "Host now is active on $lan: $settings" -- /apply "Host now"
expect "other address" 2 out \
  "Other address is only partly active on $lan: address is $address/$prefix, not $other/$prefix" \
  -- /apply "Other address"
expect "netsh exit 1" 2 out \
  "Other address is only partly active on $lan: address is $address/$prefix, not $other/$prefix (netsh ended with exit code 1)" \
  ARDENIX_NETSH_EXIT_CODE=1 -- /apply "Other address"
expect "no such adapter" 2 out \
  'No adapter named "Local Area Connection" on this computer; nothing was changed' -- /apply Nowhere
[ ! -f "$record" ] || fail "no such adapter: netsh was started"
expect "no such profile" 1 err \
  "Ardenix: no connection named \"host now\" in $store; nothing was applied" -- /apply "host now"
[ ! -f "$record" ] || fail "no such profile: netsh was started"
expect "empty name" 1 err 'Ardenix: the connection name after /apply is empty.' -- /apply ''
expect "usage" 64 err "$(printf '%s\n' \
  'Usage: Ardenix [/apply NAME | /list | /tray | /?]' \
  '  (nothing)     open the Ardenix window' \
  '  /apply NAME   apply the connection NAME; put a name with blanks in double quotes' \
  '  /list         print the names of the connections, one a line, * before an active one' \
  '  /tray         start in the notification area without showing the window' \
  '  /?            show this text')" -- /nonsense
list="$(printf '%s\n' "* Host now (active on $lan)$here" "  Nowhere" "  Other address$here")"
expect "list" 0 out "$list" -- /list

# Lines of a batch file, through cmd: it hands the program the blank before "&" and "&&".
nowhere='No adapter named "Local Area Connection" on this computer; nothing was changed'
program=cmd expect "cmd: /list & echo" 0 out "$list"$'\n'ok -- /c 'Ardenix.com /list & echo ok'
program=cmd expect "cmd: /list && echo" 0 out "$list"$'\n'ok -- /c 'Ardenix.com /list && echo ok'
store_profile "Here" "$lan" "$address" >>"$folder/Ardenix.INI"
here_now="Here is active on $lan: $settings"
program=cmd expect "cmd: /apply & echo" 0 out "$here_now"$'\n'ok -- /c 'Ardenix.com /apply Here & echo ok'
program=cmd expect "cmd: /apply && echo" 0 out "$here_now"$'\n'ok -- /c 'Ardenix.com /apply Here && echo ok'
# echo leaves the error level as it is: the line ends with the program's exit code.
program=cmd expect "cmd: failed /apply & echo" 2 out "$nowhere"$'\n'ok -- /c 'Ardenix.com /apply Nowhere & echo ok'

# A member netsh would reject: said on standard output, exit 1, nothing written or started.
store_profile "Bad WINS" "$lan" "$address" | sed 's/^WINS=.*/WINS=300.1  .1  .1  \r/' >>"$folder/Ardenix.INI"
rm -f "$folder/Ardenix.TMP"
expect "invalid profile" 1 out 'WINS "300.1.1.1" is not an address; nothing was applied' -- /apply "Bad WINS"
[ ! -f "$record" ] || fail "invalid profile: netsh was started"
[ ! -f "$folder/Ardenix.TMP" ] || fail "invalid profile: a script was written"

# netsh missing from the system folder: the system's words, exit 3.
rm "$netsh"
expect "netsh missing" 3 out "netsh could not be started: File not found." -- /apply "Host now"
cp "$standin" "$netsh"

# A store that cannot be read (here a folder in its place) is left as it is.
mv "$folder/Ardenix.INI" "$work/store"
mkdir "$folder/Ardenix.INI"
expect "store unreadable" 1 err \
  "Ardenix: The connections in $store cannot be read: Access denied." -- /apply "Host now"
[ -d "$folder/Ardenix.INI" ] || fail "store unreadable: the store was touched"

[ "$failures" = 0 ] || { echo "apply-e2e: $failures failures" >&2; exit 1; }
echo "apply-e2e: every case as expected"
