#pragma once

#include <string>
#include <vector>

// One IPv4 address of an adapter with the length of its on-link prefix ("10.0.0.5", 24).
struct TAdapterAddress {
  std::string Address;  // dotted decimal, no leading zeros
  int PrefixLength = 0;

  friend bool operator==(const TAdapterAddress&, const TAdapterAddress&) = default;
};

// "10.0.0.5/24".
std::string AddressWithPrefix(const TAdapterAddress& address);

// Every address of the list as AddressWithPrefix gives it, in the list's order.
std::vector<std::string> AddressesWithPrefix(const std::vector<TAdapterAddress>& addresses);

// What the computer says of one network adapter's IPv4 side at the moment it was read.
// Addresses are dotted decimal text as the system reports them; lists keep the system's
// order (the first DNS server is the preferred one).
struct TAdapterState {
  std::string FriendlyName;  // the name netsh takes ("Ethernet"), in the ANSI code page
  // False when the system's (wide) name has characters the ANSI code page cannot hold:
  // FriendlyName is then only what the conversion gave, and netsh would not find it.
  bool NameExact = true;
  std::string Description;
  std::string Id;               // the adapter's GUID, "{...}"
  std::string HardwareAddress;  // "00-15-5D-01-02-03"; empty when it has none
  bool Up = false;
  bool Dhcp = false;
  std::vector<TAdapterAddress> Addresses;
  std::vector<std::string> Gateways;
  std::vector<std::string> DnsServers;
  std::string PrimaryWins;  // empty when it has none
  // What tells the network the adapter is on apart from others: the hardware address of
  // its first gateway ("00-11-22-33-44-55"; empty when there is no gateway or the system
  // does not know it) and, for a wireless adapter, the name (SSID) of the network it is
  // connected to (empty for a wired adapter, or where the system has no WLAN service).
  std::string GatewayHardwareAddress;
  std::string WifiNetwork;

  friend bool operator==(const TAdapterState&, const TAdapterState&) = default;
};

// One reading of all adapters. A failed query keeps the system's error code and its
// message; Adapters is then empty.
struct TAdapterReading {
  bool Ok = true;
  unsigned long Error = 0;
  std::string ErrorText;
  std::vector<TAdapterState> Adapters;
};
