#pragma once

#include <cstdint>
#include <string>
#include <vector>

// One row of the system's neighbour table (IPv4 address to hardware address, per
// interface), as the Win32 side turns it into text.
struct TNeighbour {
  std::uint64_t InterfaceLuid = 0;
  std::string Address;          // dotted decimal
  // "00-11-22-33-44-55"; empty while the system has none for it (the entry is being
  // resolved, or the neighbour did not answer).
  std::string HardwareAddress;
};

// The hardware address of `gateway` on the interface `interfaceLuid`: from the row of
// that address on that interface (an address is only a neighbour on its own link; the
// same address on another interface is another machine). Empty when no such row has a
// hardware address.
std::string GatewayHardwareAddress(const std::vector<TNeighbour>& table,
                                   std::uint64_t interfaceLuid, const std::string& gateway);

// A wireless interface's current connection as the WLAN service reports it.
struct TWlanConnection {
  std::string InterfaceId;  // the interface's GUID, "{...}"
  std::string Ssid;         // the network's name
};

// The network name of the adapter with GUID `adapterId` ("{...}", compared without regard
// to letter case, as the system's two services write GUIDs differently); empty when it
// has no connection.
std::string WifiNetworkOf(const std::vector<TWlanConnection>& connections,
                          const std::string& adapterId);
