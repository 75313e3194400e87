#!/usr/bin/env bash
# The main window with the host's real interfaces, as Wine shows them: the host's own view
# (`ip -o link`, `ip -4 addr`, `ip route`, /etc/resolv.conf) against what the window shows
# (adapter_window_probe.exe, run with a store beside it in the Wine session of
# wine-host.sh). Checked: the adapter box lists every interface but loopback after the
# default name; Read Current Settings fills the editor with the address, mask, gateway
# and DNS servers of the interface that has the default route; a profile made of those
# values is checked in the tray menu and named in the icon's tooltip, one that differs in
# its address is not. Wine's DHCP flag is not the host's and is not compared.
#
#   adapters-e2e.sh HOST_DIR ADAPTER_WINDOW_PROBE_EXE
set -euo pipefail

host=$(cd "${1:?wine host directory}" && pwd)
probe=${2:?adapter_window_probe.exe}
here=$(cd "$(dirname "$0")" && pwd)
run="$here/../../cmake/wine-run.sh"

fail() { printf 'adapters-e2e: %s\n' "$*" >&2; exit 1; }

# --- The host's truth -------------------------------------------------------------------

interfaces=$(ip -o link | awk '{ sub(":$", "", $2); sub("@.*", "", $2); if ($2 != "lo") print $2 }')
# shellcheck source=../support/host-interface.sh
. "$here/../support/host-interface.sh"
read_host_interface || fail "the host has no interface with an IPv4 address besides loopback"
iface=$lan
dns=("${servers[@]}")
blank='   .   .   .   '
dns1=${dns[0]:-}
dns2=${dns[1]:-}
# Another address in the same network: the profile that differs.
other=${address%.*}.$(((${address##*.} % 250) + 3))

# --- The probe with its store -----------------------------------------------------------

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cp "$probe" "$work/probe.exe"
section() {  # caption ip
  printf '[%s]\r\nLAN=%s\r\nDHCP=0\r\nIP=%s\r\nSN=%s\r\nDG=%s\r\nDNS=%s\r\nADNS=%s\r\nWINS=%s\r\n' \
    "$1" "$iface" "$2" "$mask" "${gateway:-$blank}" "${dns1:-$blank}" "${dns2:-$blank}" "$blank"
}
{ section "Differs" "$other"; section "Host" "$address"; } >"$work/probe.INI"

"$run" "$host" "$work/probe.exe" | tr -d '\r' >"$work/shown" || { cat "$work/shown"; fail "the probe failed"; }
echo "host: $iface $address/$prefix mask $mask gateway ${gateway:-none} dns ${dns[*]:-none}"
echo "shown:"; cat "$work/shown"

value() { sed -n "s/^$1=//p" "$work/shown"; }
expect() {  # key expected
  [ "$(value "$1")" = "$2" ] || fail "$1: expected '$2', shown '$(value "$1" | paste -sd'|')'"
}
dotted() { if [ -n "$1" ]; then printf '%s' "$1"; else printf '...'; fi; }

# The adapter box: the default name, then every interface but loopback.
[ "$(value item | head -n 1)" = "Local Area Connection" ] || fail "the default name is not first"
for name in $interfaces; do
  grep -qxF "$name" <<<"$(value item)" || fail "the adapter box does not list $name"
done
grep -q "^$iface: connected, $address/$prefix" <<<"$(value status)" ||
  fail "status: expected '$iface: connected, $address/$prefix...', shown '$(value status)'"

# Read Current Settings on the profile that differs: the host's values.
[ -z "$(value error)" ] || fail "an error box: $(value error)"
expect LAN "$iface"
expect IP "$address"
expect SN "$mask"
expect DG "$(dotted "$gateway")"
expect DNS "$(dotted "$dns1")"
expect ADNS "$(dotted "$dns2")"

# The tray menu and the tooltip.
expect menu "$(printf 'Differs|0\nHost|1')"
expect tip "Ardenix: Host on $iface"
echo "adapters-e2e: the window shows the host's $iface as the host does"
