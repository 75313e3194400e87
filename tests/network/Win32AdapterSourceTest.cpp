// The Win32 source's two readings of this computer's adapters agree: the names alone
// list the same adapters, in the same order, as a full reading. Its network side where
// the system lacks parts of it (Wine here): no WLAN interfaces, no ResolveIpNetEntry2.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "Win32AdapterSource.h"
#include "Win32NeighbourTable.h"
#include "Win32WlanNames.h"

namespace {

std::vector<std::string> Names(const TAdapterReading& reading) {
  std::vector<std::string> names;
  for (const TAdapterState& adapter : reading.Adapters) names.push_back(adapter.FriendlyName);
  return names;
}

TEST(Win32AdapterSourceTest, TheNamesAloneAreTheAdaptersOfAFullReading) {
  TWin32AdapterSource source;
  const TAdapterReading full = source.Read();
  const TAdapterReading names = source.ReadNames();
  ASSERT_TRUE(full.Ok) << full.ErrorText;
  ASSERT_TRUE(names.Ok) << names.ErrorText;
  EXPECT_FALSE(full.Adapters.empty()) << "this computer has a network adapter";
  EXPECT_EQ(Names(names), Names(full));
  for (const TAdapterState& adapter : names.Adapters) {
    EXPECT_TRUE(adapter.Addresses.empty()) << adapter.FriendlyName << ": names only";
  }
  // The buffer kept between readings serves both kinds in turn.
  EXPECT_EQ(Names(source.Read()), Names(full));
}

// A WLAN service without interfaces (or without the library) gives no names and no error,
// now and on the next reading.
TEST(Win32WlanNamesTest, NoWirelessInterfaceGivesNoNames) {
  TWin32WlanNames names;
  EXPECT_TRUE(names.Read().empty());
  EXPECT_TRUE(names.Read().empty());
}

std::vector<std::string> GatewayAddresses(const TAdapterReading& reading) {
  std::vector<std::string> addresses;
  for (const TAdapterState& adapter : reading.Adapters)
    addresses.push_back(adapter.GatewayHardwareAddress);
  return addresses;
}

// Asking the link where the system cannot (the function is not there) costs nothing and
// changes nothing: the neighbour table's answers stay, the missing ones stay unknown.
TEST(Win32AdapterSourceTest, AskingTheLinkWithoutResolveIpNetEntry2KeepsTheTablesAnswers) {
  TWin32AdapterSource tableOnly;
  TWin32AdapterSource asking(TWin32AdapterSource::TGatewayLookup::AskTheLinkWhenMissing);
  const TAdapterReading table = tableOnly.Read();
  const TAdapterReading asked = asking.Read();
  ASSERT_TRUE(asked.Ok) << asked.ErrorText;
  EXPECT_EQ(GatewayAddresses(asked), GatewayAddresses(table));
  TSystemLibrary ipHelper("iphlpapi.dll");
  EXPECT_EQ(ResolveNeighbour(ipHelper, 1, "192.0.2.77"), "");
  EXPECT_EQ(ResolveNeighbour(ipHelper, 1, "not an address"), "");
}

}  // namespace
