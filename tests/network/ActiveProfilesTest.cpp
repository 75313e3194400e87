#include "ActiveProfiles.h"

#include <gtest/gtest.h>

#include "AdapterFixtures.h"

namespace {

TEST(ActiveProfiles, AreThoseWhoseConnectedAdapterIsAsTheyWant) {
  TAdapterState wifi = OfficeAdapter();
  wifi.FriendlyName = "Wi-Fi";
  TAdapterState down = OfficeAdapter();
  down.FriendlyName = "Ethernet 2";
  down.Up = false;
  const std::vector<TNamedProfile> profiles{
      {"Office", OfficeProfile()},
      {"Home", HomeProfile()},  // Ethernet has DHCP off
      {"Lab", WithLan(OfficeProfile(), "Wi-Fi")},
      {"Away", WithLan(OfficeProfile(), "Local Area Connection")},
      {"Spare", WithLan(OfficeProfile(), "Ethernet 2")},
      {"Office copy", OfficeProfile()},
  };
  const TAdapterReading reading = ReadingOf({OfficeAdapter(), wifi, down});
  EXPECT_EQ(ActiveProfiles(profiles, reading), (std::vector<std::size_t>{0, 2, 5}));
  EXPECT_EQ(ActiveProfiles(profiles, FailedReading(5, "Access is denied.")), std::vector<std::size_t>{});
}

TEST(TrayTipText, NamesTheActiveProfilesAndTheirAdapters) {
  const std::vector<TNamedProfile> profiles{{"Office", OfficeProfile()},
                                            {"Home", HomeProfile()},
                                            {"Lab", WithLan(OfficeProfile(), "Wi-Fi")}};
  EXPECT_EQ(TrayTipText("Ardenix", profiles, {}), "Ardenix");
  EXPECT_EQ(TrayTipText("Ardenix", profiles, {0}), "Ardenix: Office on Ethernet");
  EXPECT_EQ(TrayTipText("Ardenix", profiles, {0, 2}), "Ardenix: Office on Ethernet, Lab on Wi-Fi");
}

TEST(TrayTipText, AnOverlongTipKeepsTheProfilesThatFitWhole) {
  // Each entry "Profile N with a long name on Ethernet" is 38 characters.
  std::vector<TNamedProfile> profiles;
  std::vector<std::size_t> active;
  for (int i = 0; i < 5; ++i) {
    profiles.push_back({"Profile " + std::to_string(i) + " with a long name", OfficeProfile()});
    active.push_back(profiles.size() - 1);
  }
  const std::string tip = TrayTipText("Ardenix", profiles, active);
  EXPECT_EQ(tip,
            "Ardenix: Profile 0 with a long name on Ethernet, Profile 1 with a long name on Ethernet, "
            "...");
  EXPECT_LE(tip.size(), kTrayTipLimit);

  // Three entries with one more would need 9 + 3 * 38 + 2 * 2 = 127: exactly the limit.
  profiles.resize(3);
  active.resize(3);
  EXPECT_EQ(TrayTipText("Ardenix", profiles, active).size(), kTrayTipLimit);
}

TEST(TrayTipText, AFirstProfileThatDoesNotFitIsCut) {
  const std::vector<TNamedProfile> profiles{{std::string(200, 'x'), OfficeProfile()}};
  const std::string tip = TrayTipText("Ardenix", profiles, {0});
  EXPECT_EQ(tip.size(), kTrayTipLimit);
  EXPECT_EQ(tip.substr(0, 12), "Ardenix: xxx");
  EXPECT_EQ(tip.substr(tip.size() - 4), "x...");
}

}  // namespace
