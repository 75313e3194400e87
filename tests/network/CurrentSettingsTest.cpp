#include "CurrentSettings.h"

#include <gtest/gtest.h>

#include "AdapterFixtures.h"
#include "AdapterStatus.h"
#include "ProfileMatch.h"

namespace {

constexpr char kBlank[] = "   .   .   .   ";

TEST(MaskedAddressText, PutsEachOctetLeftInItsThreePositions) {
  EXPECT_EQ(MaskedAddressText("10.0.0.5"), "10 .0  .0  .5  ");
  EXPECT_EQ(MaskedAddressText("192.168.1.1"), "192.168.1  .1  ");
  EXPECT_EQ(MaskedAddressText("255.255.255.255"), "255.255.255.255");
  EXPECT_EQ(MaskedAddressText(""), kBlank);
  EXPECT_EQ(MaskedAddressText("fe80::1"), kBlank);
}

TEST(CurrentSettings, TakesTheFirstOfEachListAndTheSecondDnsServer) {
  TAdapterState adapter = OfficeAdapter();
  adapter.Addresses = {{"192.168.1.20", 20}, {"10.0.0.5", 24}};
  adapter.Gateways = {"192.168.1.1", "192.168.1.2"};
  adapter.DnsServers = {"192.168.1.1", "8.8.8.8", "9.9.9.9"};
  adapter.PrimaryWins = "192.168.1.3";
  adapter.Dhcp = true;
  const TNetInfo expected{"Ethernet",        true,              "192.168.1  .20 ", "255.255.240.0  ",
                          "192.168.1  .1  ", "192.168.1  .1  ", "8  .8  .8  .8  ", "192.168.1  .3  "};
  EXPECT_EQ(CurrentSettings(adapter), expected);
}

TEST(CurrentSettings, LeavesBlankWhatTheAdapterLacks) {
  TAdapterState adapter;
  adapter.FriendlyName = "Local Area Connection";
  const TNetInfo expected{"Local Area Connection", false, kBlank, kBlank, kBlank, kBlank, kBlank, kBlank};
  EXPECT_EQ(CurrentSettings(adapter), expected);
}

// Saving what was read and applying it again must ask for what the adapter already has.
TEST(CurrentSettings, ItsNormalisedCopyMatchesTheAdapter) {
  TAdapterState oneDns = OfficeAdapter();
  oneDns.DnsServers = {"10.0.0.1"};
  TAdapterState bare;
  bare.FriendlyName = "Ethernet";
  bare.Addresses = {{"172.16.0.9", 12}};
  for (const TAdapterState& adapter : {OfficeAdapter(), oneDns, bare})
    EXPECT_EQ(CompareProfile(NormalisedCopy(CurrentSettings(adapter)), adapter),
              std::vector<TFieldDifference>{})
        << SettingsDescription(adapter);
}

}  // namespace
