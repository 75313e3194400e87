// Which neighbour row gives an adapter's gateway its hardware address, and which WLAN
// connection gives a wireless adapter its network's name.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "NetworkIdentity.h"

namespace {

constexpr std::uint64_t kEthernet = 0x6000001000000;
constexpr std::uint64_t kWifi = 0x47000002000000;

// Two links that both use 192.168.1.1 (a home router and a travel router), an entry
// still being resolved, and the gateway's neighbour on another address.
const std::vector<TNeighbour> kTable = {
    {kEthernet, "192.168.1.20", "AA-AA-AA-AA-AA-20"},
    {kWifi, "192.168.1.1", "00-11-22-33-44-55"},
    {kEthernet, "192.168.1.1", "66-77-88-99-AA-BB"},
    {kEthernet, "10.0.0.1", ""},
    {kWifi, "10.0.0.1", "CC-CC-CC-CC-CC-01"},
};

struct TGatewayCase {
  const char* name;
  std::uint64_t luid;
  const char* gateway;
  const char* expected;
};

const TGatewayCase kGatewayCases[] = {
    {"the row of its own interface", kEthernet, "192.168.1.1", "66-77-88-99-AA-BB"},
    {"the same address on the other link", kWifi, "192.168.1.1", "00-11-22-33-44-55"},
    {"an entry not resolved yet, although another link has one", kEthernet, "10.0.0.1", ""},
    {"no row for the address", kEthernet, "192.168.1.254", ""},
    {"no row for the interface", 7, "192.168.1.1", ""},
    {"no gateway", kEthernet, "", ""},
    {"an address that only starts alike", kEthernet, "192.168.1.2", ""},
};

TEST(GatewayHardwareAddress, IsTheRowOfTheGatewayOnTheAdaptersOwnLink) {
  for (const TGatewayCase& c : kGatewayCases) {
    EXPECT_EQ(GatewayHardwareAddress(kTable, c.luid, c.gateway), c.expected) << c.name;
  }
  EXPECT_EQ(GatewayHardwareAddress({}, kEthernet, "192.168.1.1"), "") << "an empty table";
}

TEST(WifiNetworkOf, IsTheConnectionOfTheAdaptersGuidWhateverItsLetterCase) {
  const std::vector<TWlanConnection> connections = {
      {"{4D36E972-E325-11CE-BFC1-08002BE10318}", "Office"},
      {"{0A1B2C3D-0000-0000-0000-000000000001}", "Home Net"},
  };
  struct TCase {
    const char* adapterId;
    const char* expected;
  };
  const TCase cases[] = {
      {"{4D36E972-E325-11CE-BFC1-08002BE10318}", "Office"},
      {"{4d36e972-e325-11ce-bfc1-08002be10318}", "Office"},
      {"{0A1B2C3D-0000-0000-0000-000000000001}", "Home Net"},
      {"{0A1B2C3D-0000-0000-0000-000000000002}", ""},  // wired, or not connected
      {"", ""},
  };
  for (const TCase& c : cases) EXPECT_EQ(WifiNetworkOf(connections, c.adapterId), c.expected) << c.adapterId;
  EXPECT_EQ(WifiNetworkOf({}, "{4D36E972-E325-11CE-BFC1-08002BE10318}"), "") << "no WLAN service";
}

}  // namespace
