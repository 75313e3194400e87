#include "AdapterStatus.h"

#include <gtest/gtest.h>

#include <functional>

#include "AdapterFixtures.h"

namespace {

struct DescriptionCase {
  const char* name;
  std::function<void(TAdapterState&)> change;
  const char* text;
};

std::ostream& operator<<(std::ostream& os, const DescriptionCase& c) { return os << c.name; }

class SettingsDescriptionCases : public testing::TestWithParam<DescriptionCase> {};

TEST_P(SettingsDescriptionCases, LeavesOutWhatTheAdapterLacks) {
  TAdapterState adapter = OfficeAdapter();
  GetParam().change(adapter);
  EXPECT_EQ(SettingsDescription(adapter), GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(
    Adapters, SettingsDescriptionCases,
    testing::Values(
        DescriptionCase{"Full", [](TAdapterState&) {},
                        "10.0.0.5/24, gateway 10.0.0.1, DNS 10.0.0.1, 10.0.0.2"},
        DescriptionCase{"Dhcp", [](TAdapterState& a) { a.Dhcp = true; },
                        "10.0.0.5/24 (DHCP), gateway 10.0.0.1, DNS 10.0.0.1, 10.0.0.2"},
        DescriptionCase{"SeveralAddresses",
                        [](TAdapterState& a) { a.Addresses.push_back({"192.168.1.20", 16}); },
                        "10.0.0.5/24, 192.168.1.20/16, gateway 10.0.0.1, DNS 10.0.0.1, 10.0.0.2"},
        DescriptionCase{"NoGatewayOneDns",
                        [](TAdapterState& a) {
                          a.Gateways.clear();
                          a.DnsServers = {"10.0.0.1"};
                        },
                        "10.0.0.5/24, DNS 10.0.0.1"},
        DescriptionCase{"NothingYetFromDhcp",
                        [](TAdapterState& a) {
                          a = TAdapterState{};
                          a.Dhcp = true;
                        },
                        "no address (DHCP)"}),
    [](const auto& param) { return std::string(param.param.name); });

TEST(AdapterStatusText, SaysWhatTheNamedAdapterHas) {
  TAdapterState down = OfficeAdapter();
  down.FriendlyName = "Wi-Fi";
  down.Up = false;
  const TAdapterReading reading = ReadingOf({OfficeAdapter(), down});
  EXPECT_EQ(AdapterStatusText(reading, Named("Ethernet")),
            "Ethernet: connected, 10.0.0.5/24, gateway 10.0.0.1, DNS 10.0.0.1, 10.0.0.2");
  EXPECT_EQ(AdapterStatusText(reading, Named("Wi-Fi")), "Wi-Fi: disconnected");
  EXPECT_EQ(AdapterStatusText(reading, Named("Local Area Connection")),
            "Local Area Connection: no such adapter on this computer");
  EXPECT_EQ(AdapterStatusText(reading, Named("")), "No adapter name given");
}

TEST(AdapterStatusText, WarnsOfANameNetshCannotBeGiven) {
  TAdapterState adapter = OfficeAdapter();
  adapter.FriendlyName = "R?seau";
  adapter.NameExact = false;
  adapter.Up = false;
  EXPECT_EQ(AdapterStatusText(ReadingOf({adapter}), Named("R?seau")),
            "R?seau: disconnected; this name cannot be passed to netsh exactly");
}

TEST(AdapterStatusText, SaysWhenTheAdapterIsNotTheOneThatWasNamed) {
  TAdapterState dock = OfficeAdapter();
  dock.Id = "{99999999-8888-7777-6666-555555555555}";
  EXPECT_EQ(AdapterStatusText(ReadingOf({OfficeAdapterNamed("Ethernet 2")}), BoundOfficeProfile()),
            "Ethernet 2 (was \"Ethernet\"): connected, 10.0.0.5/24, gateway 10.0.0.1, DNS 10.0.0.1, "
            "10.0.0.2");
  EXPECT_EQ(AdapterStatusText(ReadingOf({dock}), BoundOfficeProfile()),
            "Ethernet (a different adapter from the one the profile was made on): connected, "
            "10.0.0.5/24, gateway 10.0.0.1, DNS 10.0.0.1, 10.0.0.2");
  TAdapterState inexact = OfficeAdapterNamed("R?seau");
  inexact.NameExact = false;
  inexact.Up = false;
  EXPECT_EQ(AdapterStatusText(ReadingOf({inexact}), BoundOfficeProfile("R\xE9seau")),
            "R?seau (was \"R\xE9seau\"): disconnected; this name cannot be passed to netsh exactly");
}

TEST(AdapterStatusText, AFailedReadingGivesTheSystemsReason) {
  EXPECT_EQ(AdapterStatusText(FailedReading(8, "Not enough memory resources are available.\r\n"),
                              Named("Ethernet")),
            "Adapter state could not be read: Not enough memory resources are available.");
  EXPECT_EQ(AdapterStatusText(FailedReading(1234, ""), Named("Ethernet")),
            "Adapter state could not be read: system error 1234");
}

}  // namespace
