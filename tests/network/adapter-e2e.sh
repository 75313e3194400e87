#!/usr/bin/env bash
# The adapters as Ardenix reads them under Wine against the host's own view of its
# interfaces: `ip -o link` (name, admin state, hardware address), `ip -4 -o addr`
# (addresses with prefix), `ip route` (default gateways by interface) and
# /etc/resolv.conf (name servers). Wine shows each Linux interface as one adapter under
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
  printf '%s|%s|%s|%s|%s|%s\n' "$name" "$up" "$addresses" "$gateways" "$dns" \
    "$(printf '%s' "$mac" | tr 'a-f:' 'A-F-')"
done < <(ip -o link | awk '{ sub(":$", "", $2); sub("@.*", "", $2); for (i = 1; i < NF; ++i) if ($i ~ /^link\//) mac = $(i + 1); print $2, $3, mac }') \
  | sort >"$expected"

"$run" "$host" "$probe" | tr -d '\r' | sort >"$actual" || fail "the probe failed"

echo "host:"; cat "$expected"
echo "read:"; cat "$actual"
[ -s "$expected" ] || fail "the host shows no interface besides loopback"
diff -u "$expected" "$actual" || fail "the adapters read differ from the host's interfaces"
echo "adapter-e2e: $(wc -l <"$expected") adapters match"
