# shellcheck shell=bash
# A network made for a test, in a network namespace of its own, for scripts that run
# Ardenix under Wine against interfaces they create, rename and remove (rename-e2e.sh).
# Wine shows each Linux interface as one adapter under its Linux name; a Wine session
# reads the interfaces of the namespace it was started in, so the test's session (and its
# display) must be started in there too, after enter_lab_namespace.

# Runs the calling script again inside a new network and mount namespace and returns
# only there. Root gets the namespaces directly; another user gets them inside a user
# namespace of its own. A machine that refuses them is a failure, never a skip: the test
# would otherwise pass without having run.
#   enter_lab_namespace "$0" "$@"
enter_lab_namespace() {
  [ -n "${ARDENIX_LAB_NAMESPACE:-}" ] && return 0
  local how=(--net --mount)
  [ "$(id -u)" -eq 0 ] || how+=(--map-root-user)
  if ! unshare "${how[@]}" true 2>/dev/null; then
    echo "lab-network: this machine refuses a network namespace (unshare ${how[*]}):" \
      "run as root, or allow unprivileged user namespaces" >&2
    exit 1
  fi
  ARDENIX_LAB_NAMESPACE=1 exec unshare "${how[@]}" bash "$@"
}

# Makes /etc/resolv.conf, inside the namespace only, name these servers: Wine takes every
# adapter's DNS servers from it, so the test knows them whatever the host uses.
#   lab_name_servers WORK_DIR SERVER...
lab_name_servers() {
  local file=$1/resolv.conf
  shift
  printf 'nameserver %s\n' "$@" >"$file"
  mount --bind "$file" /etc/resolv.conf
}

# Makes an Ethernet-like interface that needs no hardware. Kernels built without the
# dummy driver (measured: some virtual machines) get a bridge with no ports instead; it
# holds addresses and routes alike and shows up (LOWER_UP) without a carrier.
#   lab_interface NAME
lab_interface() {
  ip link set lo up
  ip link add "$1" type dummy 2>/dev/null || ip link add "$1" type bridge
}

# Brings the interface up with this address, a default route through the gateway and a
# permanent neighbour entry for it. Idempotent, so it also restores what taking the link
# down drops (measured: the default route and the neighbour entry go, the address stays).
#   lab_network NAME ADDRESS/PREFIX GATEWAY GATEWAY_HARDWARE_ADDRESS
lab_network() {
  ip link set "$1" up
  ip addr replace "$2" dev "$1"
  ip route replace default via "$3" dev "$1"
  ip neigh replace "$3" lladdr "$4" dev "$1" nud permanent
}

# Renames an interface the way Linux allows it: down, rename, up.
#   lab_rename OLD NEW
lab_rename() {
  ip link set "$1" down
  ip link set "$1" name "$2"
  ip link set "$2" up
}
