#include "NetInfo.h"

#include <gtest/gtest.h>

namespace {

TEST(StripSpaces, RemovesOnlyTheSpaceCharacter) {
  EXPECT_EQ(StripSpaces("10 .0  .0  .1  "), "10.0.0.1");
  EXPECT_EQ(StripSpaces("   .   .   .   "), "...");
  EXPECT_EQ(StripSpaces("a\tb c\n"), "a\tbc\n");
  EXPECT_EQ(StripSpaces(""), "");
}

struct AddressCase {
  const char* masked;
  const char* normalised;
  const char* normalisedMask;  // the same text in the SN member
};

class NormalisedAddress : public testing::TestWithParam<AddressCase> {};

TEST_P(NormalisedAddress, EveryAddressMemberFollowsTheRule) {
  const AddressCase& c = GetParam();
  TNetInfo profile{"Local Area Connection", false, c.masked, c.masked, c.masked,
                   c.masked,                c.masked, c.masked};
  TNetInfo copy = NormalisedCopy(profile);
  EXPECT_EQ(copy.LAN, "Local Area Connection");
  EXPECT_EQ(copy.IP, c.normalised);
  EXPECT_EQ(copy.SN, c.normalisedMask);
  EXPECT_EQ(copy.DG, c.normalised);
  EXPECT_EQ(copy.DNS, c.normalised);
  EXPECT_EQ(copy.ADNS, c.normalised);
  EXPECT_EQ(copy.WINS, c.normalised);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, NormalisedAddress,
    testing::Values(AddressCase{"10 .0  .0  .1  ", "10.0.0.1", "10.0.0.1"},
                    AddressCase{"   .   .   .   ", "none", "255.255.255.0"},
                    AddressCase{"192.   .   .   ", "192...", "192..."},
                    // Decimal as the field shows it, not octal as Windows would read it.
                    AddressCase{"192.168.001.001", "192.168.1.1", "192.168.1.1"},
                    AddressCase{"010.000.000.010", "10.0.0.10", "10.0.0.10"},
                    AddressCase{"300.1  .1  .1  ", "300.1.1.1", "300.1.1.1"},
                    AddressCase{"", "none", "255.255.255.0"},
                    AddressCase{"...", "none", "255.255.255.0"},
                    AddressCase{"NONE", "NONE", "NONE"}));

TEST(NormalisedCopy, KeepsDhcpAndLeavesTheInputAlone) {
  const TNetInfo original{"LAN 2", true, "1 .2  .3  .4  ", "", "", "", "", ""};
  const TNetInfo before = original;
  TNetInfo copy = NormalisedCopy(original);
  EXPECT_TRUE(copy.DHCP);
  EXPECT_EQ(copy.IP, "1.2.3.4");
  EXPECT_EQ(original, before);
}

TEST(NormalisedCopy, ANewProfileIsUntouched) {
  TNetInfo copy = NormalisedCopy(TNetInfo{});
  EXPECT_EQ(copy, (TNetInfo{"", false, "none", "255.255.255.0", "none", "none", "none", "none"}));
}

}  // namespace
