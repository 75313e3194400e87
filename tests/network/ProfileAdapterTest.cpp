#include "ProfileAdapter.h"

#include <gtest/gtest.h>

#include "AdapterFixtures.h"

namespace {

constexpr char kOfficeId[] = "{11111111-2222-3333-4444-555555555555}";
constexpr char kDockId[] = "{99999999-8888-7777-6666-555555555555}";
std::string Guid(int n) {
  const std::string digits = std::to_string(n);
  return "{00000000-0000-0000-0000-" + std::string(12 - digits.size(), '0') + digits + "}";
}
const std::string kNew = Guid(1), kA = Guid(2), kB = Guid(3);

constexpr char kOfficeMac[] = "00-15-5D-01-02-03";
constexpr char kDockMac[] = "00-15-5D-0A-0B-0C";

TAdapterState Adapter(const std::string& name, const std::string& id, const char* mac = "") {
  TAdapterState adapter = OfficeAdapter();
  adapter.FriendlyName = name;
  adapter.Id = id;
  adapter.HardwareAddress = mac;
  return adapter;
}

TNetInfo Bound(const char* lan, const std::string& id, const char* mac = "") {
  TNetInfo profile = WithLan(OfficeProfile(), lan);
  profile.AdapterId = id;
  profile.AdapterMac = mac;
  return profile;
}

struct FindCase {
  const char* name;
  std::vector<TAdapterState> adapters;
  TNetInfo profile;
  int found;  // index in `adapters`; -1: none
  TAdapterFinding how;
};

class FindProfileAdapterTest : public testing::TestWithParam<FindCase> {};

TEST_P(FindProfileAdapterTest, FindsTheProfilesAdapter) {
  const FindCase& c = GetParam();
  const TAdapterReading reading = ReadingOf(c.adapters);
  const TProfileAdapter found = FindProfileAdapter(reading, c.profile);
  EXPECT_EQ(found.Adapter, c.found < 0 ? nullptr : &reading.Adapters[static_cast<std::size_t>(c.found)]);
  EXPECT_EQ(found.How, c.how);
}

using How = TAdapterFinding;

INSTANTIATE_TEST_SUITE_P(
    Readings, FindProfileAdapterTest,
    testing::Values(
        // No identity: the name alone, as Windows compares interface names.
        FindCase{"NoIdentityByName", {Adapter("Wi-Fi", kDockId), Adapter("Ethernet", kOfficeId)},
                 Bound("Ethernet", ""), 1, How::Same},
        FindCase{"NoIdentityNoSuchName", {Adapter("Wi-Fi", kDockId)}, Bound("Ethernet", ""), -1,
                 How::None},
        FindCase{"CaseDoesNotMatter", {Adapter("Ethernet", kOfficeId)}, Bound("eTHERNET", ""), 0,
                 How::Same},
        FindCase{"ExactSpellingFirst",
                 {Adapter("ETHERNET", kDockId), Adapter("Ethernet", kOfficeId)},
                 Bound("Ethernet", ""), 1, How::Same},
        FindCase{"BlanksDoMatter", {Adapter("Ethernet", kOfficeId)}, Bound("Ethernet ", ""), -1,
                 How::None},
        FindCase{"OnlyAsciiIsFolded", {Adapter("R\xC9SEAU", kOfficeId)}, Bound("r\xE9seau", ""), -1,
                 How::None},
        // The identity first.
        FindCase{"IdentityUnderItsName", {Adapter("Ethernet", kOfficeId)},
                 Bound("Ethernet", kOfficeId), 0, How::Same},
        FindCase{"Renamed", {Adapter("Ethernet 2", kOfficeId)}, Bound("Ethernet", kOfficeId), 0,
                 How::Renamed},
        FindCase{"RenamedWhileAnotherTookTheName",
                 {Adapter("Ethernet", kDockId), Adapter("Ethernet 2", kOfficeId)},
                 Bound("Ethernet", kOfficeId), 1, How::Renamed},
        FindCase{"GuidCaseDoesNotMatter", {Adapter("Ethernet 2", kOfficeId)},
                 Bound("Ethernet", "{11111111-2222-3333-4444-555555555555}"), 0, How::Renamed},
        FindCase{"GoneAndTheNameTakenByAnother", {Adapter("Ethernet", kDockId)},
                 Bound("Ethernet", kOfficeId), 0, How::Different},
        FindCase{"GoneAndNoOtherByTheName", {Adapter("Ethernet 3", kDockId)},
                 Bound("Ethernet", kOfficeId), -1, How::None},
        FindCase{"NotAGuidLeavesItToTheName", {Adapter("Ethernet", kOfficeId)},
                 Bound("Ethernet", "not a guid"), 0, How::Same},
        FindCase{"GuidWithoutBracesIsNone", {Adapter("Ethernet 2", kOfficeId)},
                 Bound("Ethernet", "11111111-2222-3333-4444-555555555555"), -1, How::None},
        FindCase{"ReadingWithoutGuidsCannotTellAnotherAdapter", {Adapter("Ethernet", "")},
                 Bound("Ethernet", kOfficeId), 0, How::Same},
        // The hardware address: a clue when the GUID is gone and no adapter bears the name.
        FindCase{"GuidBeatsAHardwareAddress",
                 {Adapter("Ethernet 3", kDockId, kOfficeMac), Adapter("Ethernet 2", kOfficeId, kDockMac)},
                 Bound("Ethernet", kOfficeId, kOfficeMac), 1, How::Renamed},
        FindCase{"HardwareAddressOfOneAdapter",
                 {Adapter("Wi-Fi", kDockId, kDockMac), Adapter("Ethernet 2", kNew, kOfficeMac)},
                 Bound("Ethernet", kOfficeId, kOfficeMac), 1, How::Renamed},
        FindCase{"HardwareAddressSharedIsNoClue",
                 {Adapter("Ethernet 2", kA, kOfficeMac), Adapter("Ethernet 3", kB, kOfficeMac)},
                 Bound("Ethernet", kOfficeId, kOfficeMac), -1, How::None},
        FindCase{"NameBeatsAHardwareAddress",
                 {Adapter("Ethernet 2", kNew, kOfficeMac), Adapter("Ethernet", kDockId, kDockMac)},
                 Bound("Ethernet", kOfficeId, kOfficeMac), 1, How::Different}),
    [](const auto& param) { return std::string(param.param.name); });

TEST(FindProfileAdapter, ManyAdaptersWithOneHardwareAddressLeaveItToTheGuid) {
  std::vector<TAdapterState> adapters;
  for (int i = 0; i < 300; ++i) {
    adapters.push_back(Adapter("Ethernet " + std::to_string(i), Guid(i), kOfficeMac));
  }
  const TAdapterReading reading = ReadingOf(adapters);
  EXPECT_EQ(FindProfileAdapter(reading, Bound("Ethernet", Guid(250), kOfficeMac)).Adapter,
            &reading.Adapters[250]);
  EXPECT_EQ(FindProfileAdapter(reading, Bound("Ethernet", Guid(999), kOfficeMac)).Adapter, nullptr);
}

TEST(BindToAdapter, TakesTheNameAndIdentityOnce) {
  TNetInfo profile = Bound("Ethernet", "");
  const TAdapterState adapter = Adapter("Ethernet 2", kOfficeId, kOfficeMac);
  EXPECT_TRUE(BindToAdapter(profile, adapter));
  EXPECT_EQ(profile, Bound("Ethernet 2", kOfficeId, kOfficeMac));
  EXPECT_FALSE(BindToAdapter(profile, adapter));
}

TEST(BindVerified, BindsOnlyAProfileThatStillMeansTheAdapter) {
  const TAdapterState renamed = Adapter("Ethernet 2", kOfficeId, kOfficeMac);
  TNetInfo profile = Bound("Ethernet", kOfficeId);
  EXPECT_TRUE(BindVerified(profile, renamed));
  EXPECT_EQ(profile, Bound("Ethernet 2", kOfficeId, kOfficeMac));

  TNetInfo retyped = Bound("Wi-Fi", "");  // the user named another adapter meanwhile
  EXPECT_FALSE(BindVerified(retyped, renamed));
  EXPECT_EQ(retyped, Bound("Wi-Fi", ""));

  TNetInfo unbound = Bound("ETHERNET 2", "");
  EXPECT_TRUE(BindVerified(unbound, renamed));
  EXPECT_EQ(unbound, Bound("Ethernet 2", kOfficeId, kOfficeMac));
}

// The network is learned with the identity, from the same verified reading, and a profile
// already bound learns it too: that change alone is worth saving.
TEST(BindVerified, RemembersTheNetworkOfAProfileThatStillMeansTheAdapter) {
  TAdapterState adapter = Adapter("Ethernet", kOfficeId, kOfficeMac);
  adapter.GatewayHardwareAddress = "00-11-22-33-44-55";
  TNetInfo profile = Bound("Ethernet", kOfficeId, kOfficeMac);
  EXPECT_TRUE(BindVerified(profile, adapter));
  EXPECT_EQ(profile.NetworkGateway, "10.0.0.1");
  EXPECT_EQ(profile.NetworkGatewayMac, "00-11-22-33-44-55");
  EXPECT_FALSE(BindVerified(profile, adapter));

  TNetInfo retyped = Bound("Wi-Fi", "");
  EXPECT_FALSE(BindVerified(retyped, adapter));
  EXPECT_EQ(retyped, Bound("Wi-Fi", ""));
}

struct NewProfileCase {
  const char* name;
  TAdapterReading reading;
  int found;  // -1: none, the default name stays
};

TAdapterState Routed(TAdapterState adapter, bool hasGateway) {
  if (!hasGateway) adapter.Gateways.clear();
  return adapter;
}

class NewProfileAdapterTest : public testing::TestWithParam<NewProfileCase> {};

TEST_P(NewProfileAdapterTest, IsTheAdapterWithTheDefaultRoute) {
  const NewProfileCase& c = GetParam();
  const TAdapterState* found = NewProfileAdapter(c.reading);
  EXPECT_EQ(found, c.found < 0 ? nullptr : &c.reading.Adapters[static_cast<std::size_t>(c.found)]);
}

INSTANTIATE_TEST_SUITE_P(
    Readings, NewProfileAdapterTest,
    testing::Values(
        NewProfileCase{"NoAdapter", ReadingOf({}), -1},
        NewProfileCase{"FailedReading", FailedReading(5, "Access is denied."), -1},
        NewProfileCase{"FirstWithAGateway",
                       ReadingOf({Routed(Adapter("Wi-Fi", Guid(1)), false),
                                  Routed(Adapter("Ethernet", Guid(2)), true),
                                  Routed(Adapter("Ethernet 2", Guid(3)), true)}),
                       1},
        NewProfileCase{"NoneWithAGateway", ReadingOf({Routed(Adapter("Ethernet", Guid(2)), false)}), -1},
        NewProfileCase{"TheDefaultNameIsThere",
                       ReadingOf({Routed(Adapter("Ethernet", Guid(2)), true),
                                  Routed(Adapter("local area connection", Guid(4)), false)}),
                       -1}),
    [](const auto& param) { return std::string(param.param.name); });

}  // namespace
