#include "NetworkArrival.h"

#include <gtest/gtest.h>

#include <cctype>

#include "AdapterFixtures.h"

namespace {

constexpr char kHere[] = "00-11-22-33-44-55";

// A DHCP profile on the office adapter (static, so never in force) that remembers the
// network `mac` and asks for `onNetwork` there.
TNamedProfile Asking(const char* caption, const char* onNetwork, const char* mac = kHere) {
  TNetInfo profile = HomeProfile();
  profile.OnNetwork = onNetwork;
  profile.NetworkGatewayMac = mac;
  return {caption, profile};
}

struct ArrivalCase {
  const char* name;
  std::vector<TNamedProfile> profiles;
  bool switchAllowed;
  bool readingOk;
  // What the actions saw, in order: "mark A,B", "switch A", "offer Ethernet: A,B".
  std::vector<std::string> expected;
};

std::string Joined(const std::vector<std::string>& captions) {
  std::string text;
  for (const std::string& caption : captions) text += (text.empty() ? "" : ",") + caption;
  return text;
}

class NetworkArrivalTest : public testing::TestWithParam<ArrivalCase> {};

TEST_P(NetworkArrivalTest, CarriesOutTheDecision) {
  const ArrivalCase& c = GetParam();
  std::vector<std::string> seen;
  TNetworkArrival arrival({
      [&](const std::string& adapter, const std::vector<std::string>& captions) {
        seen.push_back("offer " + adapter + ": " + Joined(captions));
      },
      [&](const std::vector<std::string>& captions) { seen.push_back("mark " + Joined(captions)); },
      [&](const std::string& caption) {
        seen.push_back("switch " + caption);
        return c.switchAllowed;
      },
  });
  TAdapterReading reading = ReadingOf({OfficeAdapter()});
  reading.Adapters[0].GatewayHardwareAddress = kHere;
  reading.Ok = c.readingOk;
  arrival.Check(reading, c.profiles, ActiveProfiles(c.profiles, reading));
  EXPECT_EQ(seen, c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, NetworkArrivalTest,
    testing::Values(
        ArrivalCase{"switch", {Asking("Lab", "switch")}, true, true, {"mark Lab", "switch Lab"}},
        ArrivalCase{"a switch that may not happen now is offered",
                    {Asking("Lab", "switch")},
                    false,
                    true,
                    {"mark Lab", "switch Lab", "offer Ethernet: Lab"}},
        ArrivalCase{"offer", {Asking("Lab", "offer")}, true, true, {"mark Lab", "offer Ethernet: Lab"}},
        ArrivalCase{"several are offered, none switched",
                    {Asking("Lab", "switch"), Asking("Bench", "offer")},
                    true,
                    true,
                    {"mark Lab,Bench", "offer Ethernet: Lab,Bench"}},
        ArrivalCase{"another network: the marks are cleared, nothing done",
                    {Asking("Lab", "switch", "00-11-22-33-44-66")},
                    true,
                    true,
                    {"mark "}},
        ArrivalCase{"a failed reading changes nothing", {Asking("Lab", "switch")}, true, false, {}}),
    [](const testing::TestParamInfo<ArrivalCase>& param) {
      std::string name;
      for (const char* p = param.param.name; *p; ++p) name += std::isalnum(static_cast<unsigned char>(*p)) ? *p : '_';
      return name;
    });

}  // namespace
