#include "ProfileMatch.h"

#include <gtest/gtest.h>

#include <functional>

#include "AdapterFixtures.h"

// Lets a failing comparison show the differences.
void PrintTo(const TFieldDifference& d, std::ostream* os) {
  *os << "{" << static_cast<int>(d.Field) << ", " << d.Has << ", " << d.Wanted << "}";
}

namespace {

using Field = TProfileField;

// One change to OfficeProfile and OfficeAdapter (or HomeProfile, when `dhcp`) and the
// differences it must give.
struct MatchCase {
  const char* name;
  bool dhcp;
  std::function<void(TNetInfo&, TAdapterState&)> change;
  std::vector<TFieldDifference> expected;
};

std::ostream& operator<<(std::ostream& os, const MatchCase& c) { return os << c.name; }

class CompareProfileCases : public testing::TestWithParam<MatchCase> {};

TEST_P(CompareProfileCases, NamesEachMemberThatDiffers) {
  const MatchCase& c = GetParam();
  TNetInfo profile = c.dhcp ? HomeProfile() : OfficeProfile();
  TAdapterState adapter = OfficeAdapter();
  c.change(profile, adapter);
  EXPECT_EQ(CompareProfile(profile, adapter), c.expected);
  EXPECT_EQ(ProfileMatches(profile, adapter), c.expected.empty());
}

INSTANTIATE_TEST_SUITE_P(
    Static, CompareProfileCases,
    testing::Values(
        MatchCase{"AsWanted", false, [](TNetInfo&, TAdapterState&) {}, {}},
        MatchCase{"AddressAmongSeveral", false,
                  [](TNetInfo&, TAdapterState& a) { a.Addresses = {{"192.168.1.2", 24}, {"10.0.0.5", 24}}; },
                  {}},
        MatchCase{"LeadingZerosAreTheSameAddress", false,
                  [](TNetInfo& p, TAdapterState&) {
                    p.IP = "010.000.000.005";
                    p.DG = "10.0.0.001";
                    p.DNS = "010.0.0.1";
                  },
                  {}},
        MatchCase{"AddressEqualMaskDifferent", false,
                  [](TNetInfo& p, TAdapterState&) { p.SN = "255.255.0.0"; },
                  {{Field::Address, "10.0.0.5/24", "10.0.0.5/16"}}},
        MatchCase{"MaskNotContiguousNeverMatches", false,
                  [](TNetInfo& p, TAdapterState&) { p.SN = "255.0.255.0"; },
                  {{Field::Address, "10.0.0.5/24", "10.0.0.5 mask 255.0.255.0"}}},
        MatchCase{"AddressThatIsNoAddressNeverMatches", false,
                  [](TNetInfo& p, TAdapterState& a) {
                    p.IP = "10...";
                    a.Addresses = {{"10.0.0.0", 24}};
                  },
                  {{Field::Address, "10.0.0.0/24", "10.../24"}}},
        MatchCase{"OtherAddresses", false,
                  [](TNetInfo&, TAdapterState& a) { a.Addresses = {{"10.0.0.6", 24}, {"10.0.1.5", 24}}; },
                  {{Field::Address, "10.0.0.6/24, 10.0.1.5/24", "10.0.0.5/24"}}},
        MatchCase{"AddressNoneWantsNoAddress", false,
                  [](TNetInfo& p, TAdapterState& a) {
                    p.IP = "none";
                    a.Addresses.clear();
                  },
                  {}},
        MatchCase{"NoGatewayWantedNoneThere", false,
                  [](TNetInfo& p, TAdapterState& a) {
                    p.DG = "none";
                    a.Gateways.clear();
                  },
                  {}},
        MatchCase{"NoGatewayWantedOneThere", false, [](TNetInfo& p, TAdapterState&) { p.DG = "none"; },
                  {{Field::Gateway, "10.0.0.1", "none"}}},
        MatchCase{"GatewayMissing", false, [](TNetInfo&, TAdapterState& a) { a.Gateways.clear(); },
                  {{Field::Gateway, "none", "10.0.0.1"}}},
        MatchCase{"GatewayAmongSeveral", false,
                  [](TNetInfo&, TAdapterState& a) { a.Gateways = {"10.0.0.254", "10.0.0.1"}; }, {}},
        MatchCase{"OneDnsServer", false,
                  [](TNetInfo& p, TAdapterState& a) {
                    p.ADNS = "none";
                    a.DnsServers = {"10.0.0.1"};
                  },
                  {}},
        MatchCase{"AlternateDnsNotWanted", false, [](TNetInfo& p, TAdapterState&) { p.ADNS = "none"; },
                  {{Field::AlternateDNS, "10.0.0.2", "none"}}},
        MatchCase{"NoDnsWantedNoneThere", false,
                  [](TNetInfo& p, TAdapterState& a) {
                    p.DNS = p.ADNS = "none";
                    a.DnsServers.clear();
                  },
                  {}},
        MatchCase{"DnsInTheWrongOrder", false,
                  [](TNetInfo&, TAdapterState& a) { a.DnsServers = {"10.0.0.2", "10.0.0.1"}; },
                  {{Field::DNS, "10.0.0.2", "10.0.0.1"}, {Field::AlternateDNS, "10.0.0.1", "10.0.0.2"}}},
        MatchCase{"ExtraDnsServer", false,
                  [](TNetInfo&, TAdapterState& a) { a.DnsServers.push_back("10.0.0.3"); },
                  {{Field::AlternateDNS, "10.0.0.2, 10.0.0.3", "10.0.0.2"}}},
        // netsh clears the list for a preferred "none" and then adds the alternate server.
        MatchCase{"OnlyAlternateDnsGiven", false,
                  [](TNetInfo& p, TAdapterState& a) {
                    p.DNS = "none";
                    a.DnsServers = {"10.0.0.2"};
                  },
                  {}},
        MatchCase{"AdapterWithNothing", false,
                  [](TNetInfo&, TAdapterState& a) {
                    a.Addresses.clear();
                    a.Gateways.clear();
                    a.DnsServers.clear();
                  },
                  {{Field::Address, "none", "10.0.0.5/24"},
                   {Field::Gateway, "none", "10.0.0.1"},
                   {Field::DNS, "none", "10.0.0.1"},
                   {Field::AlternateDNS, "none", "10.0.0.2"}}},
        MatchCase{"WinsOfAStaticProfileIsNotCompared", false,
                  [](TNetInfo& p, TAdapterState&) { p.WINS = "10.0.0.9"; }, {}},
        // What Read Current Settings makes of a DHCP lease is not in force while the lease is.
        MatchCase{"DhcpLeaseEqualToTheStaticProfile", false,
                  [](TNetInfo&, TAdapterState& a) { a.Dhcp = true; },
                  {{Field::DHCP, "on", "off"}}}),
    [](const auto& param) { return std::string(param.param.name); });

INSTANTIATE_TEST_SUITE_P(
    Dhcp, CompareProfileCases,
    testing::Values(MatchCase{"DhcpOnIsAllItWants", true,
                              [](TNetInfo&, TAdapterState& a) {
                                a.Dhcp = true;
                                a.Addresses.clear();
                              },
                              {}},
                    MatchCase{"DhcpOff", true, [](TNetInfo&, TAdapterState&) {},
                              {{Field::DHCP, "off", "on"}}}),
    [](const auto& param) { return std::string(param.param.name); });

}  // namespace
