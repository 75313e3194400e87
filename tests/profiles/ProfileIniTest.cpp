#include "ProfileIni.h"

#include <gtest/gtest.h>

#include <string>

#include "StorePrinters.h"

namespace {

using namespace std::string_literals;

const std::string kUntouched = "   .   .   .   ";

// The store of two profiles as it is laid out by hand (no quotes: the values' end
// blanks are lost when read, which the address field makes good when it shows them).
const std::string kHandWritten =
    "[Home]\r\nLAN=Local Area Connection\r\nDHCP=1\r\nIP=   .   .   .   \r\n"
    "SN=   .   .   .   \r\nDG=   .   .   .   \r\nDNS=   .   .   .   \r\n"
    "ADNS=   .   .   .   \r\nWINS=   .   .   .   \r\n"
    "[Office]\r\nLAN=Local Area Connection\r\nDHCP=0\r\nIP=10 .0  .0  .5  \r\n"
    "SN=255.255.255.0  \r\nDG=10 .0  .0  .1  \r\nDNS=10 .0  .0  .1  \r\n"
    "ADNS=   .   .   .   \r\nWINS=   .   .   .   \r\n";

const TProfileList kTwoProfiles = {
    {"Home",
     {"Local Area Connection", true, kUntouched, kUntouched, kUntouched, kUntouched, kUntouched,
      kUntouched}},
    {"Office",
     {"Local Area Connection", false, "10 .0  .0  .5  ", "255.255.255.0  ", "10 .0  .0  .1  ",
      "10 .0  .0  .1  ", kUntouched, kUntouched}}};

TEST(ProfileIni, WritesEveryKeyInOrderAndKeepsEndBlanksInQuotes) {
  EXPECT_EQ(IniFromProfiles(kTwoProfiles),
            "[Home]\r\nLAN=Local Area Connection\r\nDHCP=1\r\nIP=\"   .   .   .   \"\r\n"
            "SN=\"   .   .   .   \"\r\nDG=\"   .   .   .   \"\r\nDNS=\"   .   .   .   \"\r\n"
            "ADNS=\"   .   .   .   \"\r\nWINS=\"   .   .   .   \"\r\n"
            "[Office]\r\nLAN=Local Area Connection\r\nDHCP=0\r\nIP=\"10 .0  .0  .5  \"\r\n"
            "SN=\"255.255.255.0  \"\r\nDG=\"10 .0  .0  .1  \"\r\nDNS=\"10 .0  .0  .1  \"\r\n"
            "ADNS=\"   .   .   .   \"\r\nWINS=\"   .   .   .   \"\r\n");
  EXPECT_EQ(ProfilesFromIni(IniFromProfiles(kTwoProfiles)), kTwoProfiles);
}

TEST(ProfileIni, ReadsAHandWrittenStoreInFileOrder) {
  const TProfileList profiles = ProfilesFromIni(kHandWritten);
  ASSERT_EQ(profiles.size(), 2u);
  EXPECT_EQ(profiles[0].Caption, "Home");
  const std::string trimmed = ".   .   .";
  EXPECT_EQ(profiles[0].Profile, (TNetInfo{"Local Area Connection", true, trimmed, trimmed, trimmed,
                                           trimmed, trimmed, trimmed}));
  EXPECT_EQ(profiles[1].Caption, "Office");
  EXPECT_EQ(profiles[1].Profile,
            (TNetInfo{"Local Area Connection", false, "10 .0  .0  .5", "255.255.255.0",
                      "10 .0  .0  .1", "10 .0  .0  .1", trimmed, trimmed}));
}

struct SectionCase {
  const char* what;
  std::string section;  // the lines after "[P]\r\n"
  TNetInfo expected;
};

class ProfileSection : public testing::TestWithParam<SectionCase> {};

TEST_P(ProfileSection, ReadsKeysByName) {
  const TProfileList profiles = ProfilesFromIni("[P]\r\n" + GetParam().section);
  ASSERT_EQ(profiles.size(), 1u);
  EXPECT_EQ(profiles[0].Profile, GetParam().expected) << GetParam().what;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ProfileSection,
    testing::Values(
        SectionCase{"no keys", "", TNetInfo{}},
        SectionCase{
            "any order, unknown keys ignored",
            "WINS=6\r\nX=?\r\nADNS=5\r\nDNS=4\r\nDG=3\r\nSN=2\r\nIP=1\r\nDHCP=1\r\nLAN=L\r\n",
            TNetInfo{"L", true, "1", "2", "3", "4", "5", "6"}},
        SectionCase{"names in any letter case", "lan=L\r\nDhcp=1\r\nip=1\r\n",
                    TNetInfo{"L", true, "1", "", "", "", "", ""}},
        SectionCase{"the first of a repeated key wins", "IP=1\r\nip=2\r\n",
                    TNetInfo{"", false, "1", "", "", "", "", ""}},
        SectionCase{"a key without = hides a later one", "IP\r\nIP=2\r\nDHCP\r\nDHCP=1\r\n",
                    TNetInfo{}},
        SectionCase{"comment lines are no keys", ";IP=1\r\n# DHCP=1\r\n", TNetInfo{}},
        SectionCase{"the adapter's identity",
                    "adapterid={11111111-2222-3333-4444-555555555555}\r\nAdapterMac=00-15-5D-01-02-03\r\n",
                    TNetInfo{"", false, "", "", "", "", "", "", "{11111111-2222-3333-4444-555555555555}",
                             "00-15-5D-01-02-03"}},
        SectionCase{"an identity that is no GUID is text like any other",
                    "AdapterId=Ethernet\r\nAdapterMac=?\r\n",
                    TNetInfo{"", false, "", "", "", "", "", "", "Ethernet", "?"}},
        SectionCase{"the profile's network and what to do there",
                    "OnNetwork=switch\r\nNetworkWifi=Office 5G\r\nNetworkGatewayMac=00-11-22-33-44-55\r\n"
                    "NetworkGateway=192.168.1.1\r\n",
                    TNetInfo{"", false, "", "", "", "", "", "", "", "", "192.168.1.1",
                             "00-11-22-33-44-55", "Office 5G", "switch"}},
        SectionCase{"network keys that do not parse are text like any other",
                    "NetworkGateway=here\r\nOnNetwork=always!\r\n",
                    TNetInfo{"", false, "", "", "", "", "", "", "", "", "here", "", "", "always!"}}));

// What the version before the adapter's identity wrote: the eight keys of each profile.
const std::string kPreviousVersionStore =
    "[Home]\r\nLAN=Ethernet\r\nDHCP=1\r\nIP=\"   .   .   .   \"\r\n"
    "SN=\"   .   .   .   \"\r\nDG=\"   .   .   .   \"\r\nDNS=\"   .   .   .   \"\r\n"
    "ADNS=\"   .   .   .   \"\r\nWINS=\"   .   .   .   \"\r\n"
    "[Office]\r\nLAN=Local Area Connection\r\nDHCP=0\r\nIP=\"10 .0  .0  .5  \"\r\n"
    "SN=\"255.255.255.0  \"\r\nDG=\"10 .0  .0  .1  \"\r\nDNS=\"10 .0  .0  .1  \"\r\n"
    "ADNS=\"   .   .   .   \"\r\nWINS=\"   .   .   .   \"\r\n";

TEST(ProfileIni, AStoreWithoutIdentitiesIsWrittenBackByteForByte) {
  EXPECT_EQ(IniFromProfiles(ProfilesFromIni(kPreviousVersionStore)), kPreviousVersionStore);
}

TEST(ProfileIni, WritesTheIdentityAndNetworkKeysAfterTheEightOnlyWhenKnown) {
  TProfileList profiles = ProfilesFromIni(kPreviousVersionStore);
  profiles[0].Profile.AdapterId = "{11111111-2222-3333-4444-555555555555}";
  profiles[0].Profile.AdapterMac = "00-15-5D-01-02-03";
  profiles[1].Profile.AdapterMac = "00-15-5D-0A-0B-0C";
  profiles[1].Profile.NetworkGateway = "10.0.0.1";
  profiles[1].Profile.OnNetwork = "offer";
  const std::string written = IniFromProfiles(profiles);
  EXPECT_EQ(written,
            "[Home]\r\nLAN=Ethernet\r\nDHCP=1\r\nIP=\"   .   .   .   \"\r\n"
            "SN=\"   .   .   .   \"\r\nDG=\"   .   .   .   \"\r\nDNS=\"   .   .   .   \"\r\n"
            "ADNS=\"   .   .   .   \"\r\nWINS=\"   .   .   .   \"\r\n"
            "AdapterId={11111111-2222-3333-4444-555555555555}\r\nAdapterMac=00-15-5D-01-02-03\r\n"
            "[Office]\r\nLAN=Local Area Connection\r\nDHCP=0\r\nIP=\"10 .0  .0  .5  \"\r\n"
            "SN=\"255.255.255.0  \"\r\nDG=\"10 .0  .0  .1  \"\r\nDNS=\"10 .0  .0  .1  \"\r\n"
            "ADNS=\"   .   .   .   \"\r\nWINS=\"   .   .   .   \"\r\nAdapterMac=00-15-5D-0A-0B-0C\r\n"
            "NetworkGateway=10.0.0.1\r\nOnNetwork=offer\r\n");
  EXPECT_EQ(ProfilesFromIni(written), profiles);
}

struct DhcpCase {
  const char* text;
  bool expected;
};

class DhcpValue : public testing::TestWithParam<DhcpCase> {};

TEST_P(DhcpValue, IsTrueWhenTheNumberIsNotZero) {
  EXPECT_EQ(DhcpFromText(GetParam().text), GetParam().expected) << "'" << GetParam().text << "'";
}

INSTANTIATE_TEST_SUITE_P(
    Cases, DhcpValue,
    testing::Values(DhcpCase{"1", true}, DhcpCase{"0", false}, DhcpCase{"", false},
                    DhcpCase{"yes", false}, DhcpCase{"true", false}, DhcpCase{"2", true},
                    DhcpCase{"007", true}, DhcpCase{"0x10", true}, DhcpCase{"0X1f", true},
                    DhcpCase{"0x0", false}, DhcpCase{"0x", false}, DhcpCase{"0xg", false},
                    DhcpCase{"00x5", false}, DhcpCase{"1abc", true}, DhcpCase{"1.5", true},
                    DhcpCase{"0.5", false}, DhcpCase{" \t12", true},
                    DhcpCase{"\x01"
                             "5",
                             true},
                    DhcpCase{"-1", true}, DhcpCase{"+5", true}, DhcpCase{"-0", false},
                    DhcpCase{"- 1", false}, DhcpCase{"--1", false}, DhcpCase{"-0x10", true},
                    DhcpCase{"0b1", false}, DhcpCase{"4294967296", false},
                    DhcpCase{"4294967297", true}, DhcpCase{"0x100000000", false},
                    DhcpCase{"99999999999", true}));

TEST(ProfileIni, DhcpReadsTheUnquotedValue) {
  EXPECT_TRUE(ProfilesFromIni("[P]\r\nDHCP=\"1\"\r\n").at(0).Profile.DHCP);
  EXPECT_FALSE(ProfilesFromIni("[P]\r\nDHCP=\"0\"1\r\n").at(0).Profile.DHCP);
}

TEST(ProfileIni, ARepeatedSectionStandsOnceWithItsFirstValues) {
  const TProfileList profiles =
      ProfilesFromIni("[Home]\r\nIP=1\r\n[Work]\r\n[HOME]\r\nIP=2\r\nDNS=3\r\n");
  ASSERT_EQ(profiles.size(), 2u);
  EXPECT_EQ(profiles[0].Caption, "Home");
  EXPECT_EQ(profiles[0].Profile, (TNetInfo{"", false, "1", "", "", "", "", ""}));
  EXPECT_EQ(profiles[1].Caption, "Work");
}

TEST(ProfileIni, SkipsKeysBeforeTheFirstSectionAndNamelessSections) {
  const TProfileList profiles = ProfilesFromIni("LAN=x\r\n[]\r\nLAN=y\r\n[ ]\r\n[P]\r\nLAN=z\r\n");
  ASSERT_EQ(profiles.size(), 1u);
  EXPECT_EQ(profiles[0].Caption, "P");
  EXPECT_EQ(profiles[0].Profile.LAN, "z");
}

struct MergeCase {
  const char* what;
  TProfileList saved;
  TProfileList loaded;
};

class SaveMerge : public testing::TestWithParam<MergeCase> {};

TEST_P(SaveMerge, LoadsWhatWritingEachEntryInTurnWouldLeave) {
  const MergeCase& c = GetParam();
  EXPECT_EQ(ProfilesFromIni(IniFromProfiles(c.saved)), c.loaded) << c.what;
  EXPECT_EQ(StorableProfiles(c.saved), c.loaded) << c.what;
}

const TNetInfo kFirst{"A", true, "1", "", "", "", "", ""};
const TNetInfo kSecond{"B", false, "2", "", "", "", "", ""};

INSTANTIATE_TEST_SUITE_P(
    Cases, SaveMerge,
    testing::Values(
        MergeCase{"same caption: one section, later values",
                  {{"X", kFirst}, {"Y", kFirst}, {"X", kSecond}},
                  {{"X", kSecond}, {"Y", kFirst}}},
        MergeCase{"captions differing in case: first spelling",
                  {{"Home", kFirst}, {"HOME", kSecond}},
                  {{"Home", kSecond}}},
        MergeCase{"end blanks of captions dropped",
                  {{" Home ", kFirst}, {"Home", kSecond}},
                  {{"Home", kSecond}}},
        MergeCase{"captions that cannot be stored left out",
                  {{"", kFirst}, {"  ", kFirst}, {"P", kSecond}},
                  {{"P", kSecond}}},
        MergeCase{"a caption ends at a line break", {{"One\r\nTwo", kFirst}}, {{"One", kFirst}}},
        MergeCase{"a value ends at a line break or NUL",
                  {{"P", {"L\r\nM", false, "1\0002"s, "", "", "", "", ""}}},
                  {{"P", {"L", false, "1", "", "", "", "", ""}}}},
        MergeCase{"nothing to store", {}, {}}));

TEST(ProfileIni, ValuesAndCaptionsOfAnyTextReadBackAsTheyWere) {
  const TProfileList profiles = {
      {"a]b", {" lead", true, "trail ", "\"q\"", "'s'", "\"", "=;[x]", "\t"}},
      {"[x", {"", false, "   ", "\"\"", "\xA0", "#", "a=b", "0x1A\x1a"}},
      {";c", {"Local Area Connection 2", true, "", "", "", "", "", ""}},
  };
  EXPECT_EQ(ProfilesFromIni(IniFromProfiles(profiles)), profiles);
}

TEST(ProfileIni, LoadsEveryOneOfManyLongNamedProfilesWhole) {
  TProfileList profiles;
  const std::string longValue(10000, '7');
  for (int i = 0; i < 2000; ++i) {
    profiles.push_back({std::string(200, 'n') + std::to_string(i),
                        {"LAN " + std::to_string(i), i % 2 == 0, longValue, "", "", "", "", ""}});
  }
  EXPECT_EQ(ProfilesFromIni(IniFromProfiles(profiles)), profiles);
}

TEST(ProfileIni, LoadsOneHundredThousandSections) {
  std::string bytes;
  for (int i = 0; i < 100000; ++i) bytes += "[P" + std::to_string(i) + "]\nDHCP=1\n";
  const TProfileList profiles = ProfilesFromIni(bytes);
  ASSERT_EQ(profiles.size(), 100000u);
  EXPECT_EQ(profiles.back().Caption, "P99999");
  EXPECT_TRUE(profiles.back().Profile.DHCP);
}

struct BadInputCase {
  const char* what;
  std::string bytes;
  TProfileList expected;
};

class BadInput : public testing::TestWithParam<BadInputCase> {};

TEST_P(BadInput, LoadsWhatCanBeRead) {
  EXPECT_EQ(ProfilesFromIni(GetParam().bytes), GetParam().expected) << GetParam().what;
}

std::string Garbage() {
  std::string bytes;
  unsigned state = 12345;
  for (int i = 0; i < 100000; ++i) {
    state = state * 1103515245u + 12345u;
    bytes += static_cast<char>((state >> 16) & 0xFF);
  }
  return bytes;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, BadInput,
    testing::Values(BadInputCase{"NUL bytes",
                                 "[A\0B]\r\nLAN=x\0y\r\n\0\0\0\r\n[\0]\r\nIP=1\r\n"s,
                                 {{"A", {"x", false, "", "", "", "", "", ""}}}},
                    BadInputCase{
                        "a megabyte line among sections",
                        "[A]\r\nLAN=" + std::string(1 << 20, 'x') + "\r\n" +
                            std::string(1 << 20, '[') + "\r\nIP=1\r\n",
                        {{"A", {std::string(1 << 20, 'x'), false, "1", "", "", "", "", ""}}}},
                    BadInputCase{"a megabyte header",
                                 "[" + std::string(1 << 20, 'h') + "]\r\n",
                                 {{std::string(1 << 20, 'h'), {}}}},
                    BadInputCase{"UTF-16 text reads as bytes", "\xFF\xFE[\0A\0]\0\r\0\n\0"s, {}}));

TEST(BadInput, GarbageStillEndsWithTheSectionAfterIt) {
  const TProfileList profiles = ProfilesFromIni(Garbage() + "\n[After]\nDHCP=1\n");
  ASSERT_FALSE(profiles.empty());
  EXPECT_EQ(profiles.back().Caption, "After");
  EXPECT_TRUE(profiles.back().Profile.DHCP);
}

}  // namespace
