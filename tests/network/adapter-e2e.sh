#!/usr/bin/env bash
# The adapters as Ardenix reads them under Wine against the host's own view of its
# interfaces: `ip -o link` (name, admin state, hardware address), `ip -4 -o addr`
# (addresses with prefix), `ip route` (default gateways by interface), /etc/resolv.conf
# (name servers) and `ip neigh` (the first gateway's hardware address; none while the entry
# is incomplete or failed). No adapter here is wireless: no Wi-Fi network names. Wine shows each Linux interface as one adapter under
# its Linux name; loopback is left out by the reader. The DHCP flag is not compared:
# Wine's answer is not the host's.
#
#   adapter-e2e.sh HOST_DIR ADAPTER_PROBE_EXE
set -euo pipefail

host=${1:?wine host directory}
probe=${2:?adapter_probe.exe}
here=$(cd "$(dirname "$0")" && pwd)
run="$here/../../cmake/wine-run.sh"

fail() { printf 'adapter-e2e: %s\n' "$*" >&2; exit 1; }

# The name servers as Wine takes them from resolv.conf: IPv4 ones, in file order.
dns=$(awk '$1 == "nameserver" && $2 ~ /^[0-9.]+$/ { print $2 }' /etc/resolv.conf | paste -sd';')

expected=$(mktemp)
actual=$(mktemp)
trap 'rm -f "$expected" "$actual"' EXIT

while read -r name flags mac; do
  [ "$name" = lo ] && continue
  up=down
  case "$flags" in *,UP,* | *\<UP,* | *,UP\> | \<UP\>) up=up ;; esac
  addresses=$(ip -4 -o addr show dev "$name" | awk '{ print $4 }' | paste -sd';')
  gateways=$(ip -4 route show default dev "$name" | awk '$2 == "via" { print $3 }' | paste -sd';')
  gateway_mac=""
  if [ -n "$gateways" ]; then
    # An entry is there once something was sent to the gateway lately: a connection
    # attempt (refused or not, the link asks for the gateway's address first) makes one.
    timeout 2 bash -c "exec 3<>/dev/tcp/${gateways%%;*}/53" >/dev/null 2>&1 || true
    gateway_mac=$(ip neigh show "${gateways%%;*}" dev "$name" |
      awk '{ for (i = 1; i < NF; ++i) if ($i == "lladdr") print $(i + 1) }' | head -n 1 |
      tr 'a-f:' 'A-F-')
  fi
  printf '%s|%s|%s|%s|%s|%s|%s|\n' "$name" "$up" "$addresses" "$gateways" "$dns" \
    "$(printf '%s' "$mac" | tr 'a-f:' 'A-F-')" "$gateway_mac"
done < <(ip -o link | awk '{ sub(":$", "", $2); sub("@.*", "", $2); for (i = 1; i < NF; ++i) if ($i ~ /^link\//) mac = $(i + 1); print $2, $3, mac }') \
  | sort >"$expected"

"$run" "$host" "$probe" | tr -d '\r' | sort >"$actual" || fail "the probe failed"

echo "host:"; cat "$expected"
echo "read:"; cat "$actual"
[ -s "$expected" ] || fail "the host shows no interface besides loopback"
diff -u "$expected" "$actual" || fail "the adapters read differ from the host's interfaces"
echo "adapter-e2e: $(wc -l <"$expected") adapters match"
grep -q '|[0-9A-F-]\{17\}|$' "$expected" ||
  echo "adapter-e2e: note: no gateway here has a neighbour entry; its hardware address was not compared"
