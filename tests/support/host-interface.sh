# shellcheck shell=bash
# The host's own interface, as Wine's adapters show it, and the store's sections made of
# it. Sourced by the scripts that run Ardenix against the host (apply-e2e.sh,
# adapters-e2e.sh, scripts/screenshot-balloon.sh); rename-e2e.sh takes store_profile for a
# network of its own.
#
# read_host_interface sets: lan (the interface of the default route, else the first one
# with an IPv4 address besides loopback), address, prefix, mask, gateway (empty without
# a default route) and servers (the name servers of /etc/resolv.conf, which is where
# Wine takes them from). It returns 1 when there is no such interface.
read_host_interface() {
  lan=$(ip -4 route show default | awk '{ for (i = 1; i < NF; ++i) if ($i == "dev") { print $(i + 1); exit } }')
  [ -n "$lan" ] || lan=$(ip -4 -o addr | awk '$2 != "lo" { print $2; exit }')
  [ -n "$lan" ] || return 1
  read -r address prefix < <(ip -4 -o addr show dev "$lan" | awk '{ split($4, a, "/"); print a[1], a[2]; exit }')
  gateway=$(ip -4 route show default dev "$lan" | awk '$2 == "via" { print $3; exit }')
  mapfile -t servers < <(awk '$1 == "nameserver" && $2 ~ /^[0-9.]+$/ { print $2 }' /etc/resolv.conf)
  mask=$(mask_of "$prefix")
}

# The dotted mask of a prefix length.
mask_of() {
  local bits=$1 mask="" octet n
  for n in 1 2 3 4; do
    if [ "$bits" -ge 8 ]; then octet=255; bits=$((bits - 8))
    else octet=$(((256 - (1 << (8 - bits))) & 255)); bits=0; fi
    mask+="${mask:+.}$octet"
  done
  printf '%s' "$mask"
}

# The store's address format: each part of four left-aligned in three columns; an empty
# address is the blank field.
padded() {
  [ -n "$1" ] || { printf '   .   .   .   '; return; }
  local IFS=.
  # shellcheck disable=SC2086
  printf '%-3s.%-3s.%-3s.%-3s' $1
}

# A static profile of the host's network: CAPTION ADAPTER ADDRESS, with the host's mask,
# gateway and first two name servers, and no WINS server.
store_profile() {
  printf '[%s]\r\nLAN=%s\r\nDHCP=0\r\nIP=%s\r\nSN=%s\r\nDG=%s\r\nDNS=%s\r\nADNS=%s\r\nWINS=%s\r\n' \
    "$1" "$2" "$(padded "$3")" "$(padded "$mask")" "$(padded "$gateway")" \
    "$(padded "${servers[0]:-}")" "$(padded "${servers[1]:-}")" "$(padded "")"
}
