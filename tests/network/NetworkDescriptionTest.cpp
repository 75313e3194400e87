#include "NetworkDescription.h"

#include <gtest/gtest.h>

#include <ostream>

namespace {

struct DescriptionCase {
  const char* Name;
  const char* Gateway;
  const char* GatewayMac;
  const char* Wifi;
  const char* Text;
};

void PrintTo(const DescriptionCase& c, std::ostream* out) {
  *out << c.Name;
}

const DescriptionCase kCases[] = {
    {"Gateway", "192.168.1.1", "00-11-22-33-44-55", "",
     "Network: gateway 192.168.1.1 (00-11-22-33-44-55)"},
    {"WifiWinsOverTheGateway", "192.168.1.1", "00-11-22-33-44-55", "Office",
     "Network: Wi-Fi \"Office\""},
    {"WifiAlone", "", "", "Office 5G", "Network: Wi-Fi \"Office 5G\""},
    {"NothingKnown", "", "", "", "Network: not known yet; apply the profile once on its network"},
    // The hardware address is what identifies the network; a gateway without one does not.
    {"GatewayWithoutItsHardwareAddress", "192.168.1.1", "", "",
     "Network: not known yet; apply the profile once on its network"},
    {"HardwareAddressWithoutTheGateway", "", "00-11-22-33-44-55", "",
     "Network: gateway (00-11-22-33-44-55)"},
};

class NetworkDescriptionText : public testing::TestWithParam<DescriptionCase> {};

TEST_P(NetworkDescriptionText, SaysWhatIsRemembered) {
  TNetInfo profile;
  profile.NetworkGateway = GetParam().Gateway;
  profile.NetworkGatewayMac = GetParam().GatewayMac;
  profile.NetworkWifi = GetParam().Wifi;
  EXPECT_EQ(NetworkDescription(profile), GetParam().Text);
}

INSTANTIATE_TEST_SUITE_P(Cases, NetworkDescriptionText, testing::ValuesIn(kCases),
                         [](const testing::TestParamInfo<DescriptionCase>& testCase) {
                           return std::string(testCase.param.Name);
                         });

}  // namespace
