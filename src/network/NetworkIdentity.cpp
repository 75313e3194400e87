#include "NetworkIdentity.h"

#include <algorithm>
#include <cctype>

namespace {

bool SameIgnoringCase(const std::string& a, const std::string& b) {
  return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](unsigned char x, unsigned char y) {
    return std::toupper(x) == std::toupper(y);
  });
}

}  // namespace

std::string GatewayHardwareAddress(const std::vector<TNeighbour>& table,
                                   std::uint64_t interfaceLuid, const std::string& gateway) {
  if (gateway.empty()) return {};
  for (const TNeighbour& row : table) {
    if (row.InterfaceLuid == interfaceLuid && row.Address == gateway && !row.HardwareAddress.empty())
      return row.HardwareAddress;
  }
  return {};
}

std::string WifiNetworkOf(const std::vector<TWlanConnection>& connections,
                          const std::string& adapterId) {
  if (adapterId.empty()) return {};
  for (const TWlanConnection& connection : connections) {
    if (SameIgnoringCase(connection.InterfaceId, adapterId)) return connection.Ssid;
  }
  return {};
}
