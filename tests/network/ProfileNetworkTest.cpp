#include "ProfileNetwork.h"

#include <gtest/gtest.h>

#include "AdapterFixtures.h"
#include "HardwareAddress.h"

namespace {

constexpr char kRouter[] = "00-11-22-33-44-55";
constexpr char kOtherRouter[] = "00-11-22-33-44-66";

// What a profile remembers of its network: gateway, its hardware address, Wi-Fi name.
struct TRemembered {
  std::string Gateway, GatewayMac, Wifi;
  friend bool operator==(const TRemembered&, const TRemembered&) = default;
};

TNetInfo Remembering(const TRemembered& network) {
  TNetInfo profile = OfficeProfile();
  profile.NetworkGateway = network.Gateway;
  profile.NetworkGatewayMac = network.GatewayMac;
  profile.NetworkWifi = network.Wifi;
  return profile;
}

TRemembered RememberedBy(const TNetInfo& profile) {
  return {profile.NetworkGateway, profile.NetworkGatewayMac, profile.NetworkWifi};
}

TAdapterState On(const std::string& gatewayMac, const std::string& wifi = "", bool up = true) {
  TAdapterState adapter = OfficeAdapter();
  adapter.GatewayHardwareAddress = gatewayMac;
  adapter.WifiNetwork = wifi;
  adapter.Up = up;
  return adapter;
}

void PrintTo(const TRemembered& r, std::ostream* os) {
  *os << "{" << r.Gateway << ", " << r.GatewayMac << ", " << r.Wifi << "}";
}

TEST(HardwareAddress, ParsesSixHexPairsOnly) {
  const THardwareAddress router{0x00, 0x11, 0x22, 0x33, 0x44, 0x55};
  const THardwareAddress mixed{0x0A, 0xBC, 0xDE, 0xF0, 0x12, 0x3F};
  struct Case {
    const char* text;
    std::optional<THardwareAddress> parsed;
  } cases[] = {
      {"00-11-22-33-44-55", router},
      {"00:11:22:33:44:55", router},
      {"00-11:22-33:44-55", router},
      {"0a-bC-De-F0-12-3f", mixed},
      {"", std::nullopt},
      {"00-11-22-33-44", std::nullopt},
      {"00-11-22-33-44-55-66", std::nullopt},
      {"001122334455", std::nullopt},
      {"00.11.22.33.44.55", std::nullopt},
      {"00-11-22-33-44-5G", std::nullopt},
      {" 00-11-22-33-44-55", std::nullopt},
      {"00-11-22-33-44-55 ", std::nullopt},
      {"0-011-22-33-44-55", std::nullopt},
      {"00-00-00-00-00-00", std::nullopt},  // an unresolved neighbour, nobody's address
  };
  for (const Case& c : cases) EXPECT_EQ(ParseHardwareAddress(c.text), c.parsed) << c.text;
  EXPECT_EQ(HardwareAddressText(mixed), "0A-BC-DE-F0-12-3F");
}

TEST(NetworkActionOf, ReadsOfferAndSwitchAnythingElseIsNothing) {
  struct Case {
    const char* stored;
    TNetworkAction action;
  } cases[] = {
      {"offer", TNetworkAction::Offer},
      {"Switch", TNetworkAction::Switch},
      {"SWITCH", TNetworkAction::Switch},
      {" \toffer  ", TNetworkAction::Offer},
      {"", TNetworkAction::Nothing},
      {"nothing", TNetworkAction::Nothing},
      {"offers", TNetworkAction::Nothing},
      {"off er", TNetworkAction::Nothing},
      {"switch\n", TNetworkAction::Nothing},
      {"1", TNetworkAction::Nothing},
  };
  for (const Case& c : cases) {
    TNetInfo profile = OfficeProfile();
    profile.OnNetwork = c.stored;
    EXPECT_EQ(NetworkActionOf(profile), c.action) << '"' << c.stored << '"';
  }
}

TEST(RememberNetwork, ReplacesWhatWasRememberedOnlyWithAReadingThatNamesANetwork) {
  const TRemembered none{};
  const TRemembered office{"10.0.0.1", kRouter, ""};
  const TRemembered wifi{"", "", "Office"};
  struct Case {
    const char* name;
    TRemembered before;
    TAdapterState adapter;
    TRemembered after;
  } cases[] = {
      {"gateway learned", none, On(kRouter), office},
      {"gateway and Wi-Fi learned", none, On(kRouter, "Office"), {"10.0.0.1", kRouter, "Office"}},
      {"Wi-Fi without a known gateway", none, On("", "Office"), wifi},
      {"Wi-Fi with an unresolved gateway", none, On("00-00-00-00-00-00", "Office"), wifi},
      {"Wi-Fi replaces a gateway-only record", office, On("", "Office"), wifi},
      {"a gateway replaces a Wi-Fi-only record", wifi, On(kOtherRouter),
       {"10.0.0.1", kOtherRouter, ""}},
      {"nothing read keeps the gateway", office, On(""), office},
      {"nothing read keeps the Wi-Fi name", wifi, On(""), wifi},
      {"a gateway address that is none keeps it", office, On("00-00-00-00-00-00"), office},
      {"an adapter that is down keeps it", office, On(kOtherRouter, "Cafe", false), office},
      {"nothing read, nothing known", none, On(""), none},
  };
  for (const Case& c : cases) {
    TNetInfo profile = Remembering(c.before);
    RememberNetwork(profile, c.adapter);
    EXPECT_EQ(RememberedBy(profile), c.after) << c.name;
    EXPECT_EQ(profile.IP, OfficeProfile().IP) << c.name;  // nothing else is touched
  }
}

TEST(ProfileNetworkIsHere, ComparesTheWifiNameOrElseTheGatewayAsAnAddress) {
  struct Case {
    const char* name;
    TRemembered remembered;
    TAdapterState adapter;
    bool here;
  } cases[] = {
      {"same gateway", {"10.0.0.1", kRouter, ""}, On(kRouter), true},
      {"gateway in other case and separators", {"", "0a:bc:de:f0:12:3f", ""},
       On("0A-BC-DE-F0-12-3F"), true},
      {"gateway address alone is no network", {"10.0.0.1", "", ""}, On(kRouter), false},
      {"another gateway", {"10.0.0.1", kRouter, ""}, On(kOtherRouter), false},
      {"adapter knows no gateway", {"10.0.0.1", kRouter, ""}, On(""), false},
      {"remembered text is no address", {"", "router", ""}, On("router"), false},
      {"both all zeros", {"", "00-00-00-00-00-00", ""}, On("00-00-00-00-00-00"), false},
      {"same Wi-Fi", {"", "", "Office"}, On("", "Office"), true},
      {"Wi-Fi names are case-sensitive", {"", "", "Office"}, On("", "office"), false},
      {"Wi-Fi name wins over its gateway", {"10.0.0.1", kRouter, "Office"},
       On(kOtherRouter, "Office"), true},
      {"a remembered Wi-Fi is not a wired network", {"10.0.0.1", kRouter, "Office"}, On(kRouter),
       false},
      {"nothing remembered", {}, On(kRouter, "Office"), false},
      {"nothing remembered, nothing read", {}, On(""), false},
      {"adapter down", {"10.0.0.1", kRouter, ""}, On(kRouter, "", false), false},
      {"Wi-Fi adapter down", {"", "", "Office"}, On("", "Office", false), false},
  };
  for (const Case& c : cases)
    EXPECT_EQ(ProfileNetworkIsHere(Remembering(c.remembered), c.adapter), c.here) << c.name;
}

TEST(AdapterOnProfileNetwork, LooksOnlyAtTheProfilesOwnAdapter) {
  TAdapterState ethernet = On(kRouter);
  TAdapterState wifi = On(kRouter);
  wifi.FriendlyName = "Wi-Fi";
  const TAdapterReading reading = ReadingOf({wifi, ethernet});
  TNetInfo profile = Remembering({"10.0.0.1", kRouter, ""});
  EXPECT_EQ(AdapterOnProfileNetwork(reading, profile), &reading.Adapters[1]);
  profile.LAN = "Ethernet 3";
  EXPECT_EQ(AdapterOnProfileNetwork(reading, profile), nullptr);
}

TEST(NetworkDescription, SaysWhatIsRememberedAsItIsMatched) {
  struct Case {
    TRemembered remembered;
    const char* line;
  } cases[] = {
      {{"192.168.1.1", "00-11-22-33-44-55", ""}, "Network: gateway 192.168.1.1 (00-11-22-33-44-55)"},
      {{"192.168.1.1", "0a:bc:de:f0:12:3f", ""}, "Network: gateway 192.168.1.1 (0A-BC-DE-F0-12-3F)"},
      {{"", "00-11-22-33-44-55", ""}, "Network: gateway 00-11-22-33-44-55"},
      {{"192.168.1.1", "00-11-22-33-44-55", "Office"}, "Network: Wi-Fi \"Office\""},
      {{"", "", "Office"}, "Network: Wi-Fi \"Office\""},
      {{}, "Network: not known yet; apply the profile once on its network"},
      {{"192.168.1.1", "", ""}, "Network: not known yet; apply the profile once on its network"},
      {{"192.168.1.1", "garbage", ""},
       "Network: not known yet; apply the profile once on its network"},
  };
  for (const Case& c : cases)
    EXPECT_EQ(NetworkDescription(Remembering(c.remembered)), c.line) << c.line;
}

}  // namespace
