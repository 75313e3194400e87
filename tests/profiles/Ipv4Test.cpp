#include "Ipv4.h"

#include <gtest/gtest.h>


namespace {

struct ParseCase {
  const char* text;
  std::optional<TIpv4> address;
};

std::ostream& operator<<(std::ostream& os, const ParseCase& c) { return os << '"' << c.text << '"'; }

class ParseIpv4Cases : public testing::TestWithParam<ParseCase> {};

TEST_P(ParseIpv4Cases, ReadsFourOctetsOrNothing) {
  EXPECT_EQ(ParseIpv4(GetParam().text), GetParam().address) << GetParam().text;
}

INSTANTIATE_TEST_SUITE_P(
    Texts, ParseIpv4Cases,
    testing::Values(ParseCase{"10.0.0.5", 0x0A000005}, ParseCase{"192.168.001.001", 0xC0A80101},
                    ParseCase{"0.0.0.0", 0}, ParseCase{"255.255.255.255", 0xFFFFFFFF},
                    ParseCase{"", std::nullopt}, ParseCase{"none", std::nullopt},
                    ParseCase{"...", std::nullopt}, ParseCase{"192...", std::nullopt},
                    ParseCase{"1.2.3", std::nullopt}, ParseCase{"1.2.3.4.", std::nullopt},
                    ParseCase{"1.2.3.4.5", std::nullopt}, ParseCase{"256.0.0.1", std::nullopt},
                    ParseCase{"1.2.3.0001", std::nullopt}, ParseCase{" 1.2.3.4", std::nullopt},
                    ParseCase{"1.2.3.4 ", std::nullopt}, ParseCase{"1.2.3.-4", std::nullopt},
                    ParseCase{"fe80::1", std::nullopt}));

TEST(FormatIpv4, WritesOctetsWithoutLeadingZeros) {
  EXPECT_EQ(FormatIpv4(0xC0A80101), "192.168.1.1");
  EXPECT_EQ(FormatIpv4(0), "0.0.0.0");
  EXPECT_EQ(FormatIpv4(0xFFFFFFFF), "255.255.255.255");
}

struct MaskCase {
  const char* mask;
  std::optional<int> prefix;
};

std::ostream& operator<<(std::ostream& os, const MaskCase& c) { return os << c.mask; }

class MaskPrefixCases : public testing::TestWithParam<MaskCase> {};

TEST_P(MaskPrefixCases, OnlyContiguousMasksHaveAPrefix) {
  const MaskCase& c = GetParam();
  EXPECT_EQ(MaskPrefixLength(*ParseIpv4(c.mask)), c.prefix) << c.mask;
  if (c.prefix) {
    EXPECT_EQ(PrefixMask(*c.prefix), ParseIpv4(c.mask));
  }
}

INSTANTIATE_TEST_SUITE_P(
    Masks, MaskPrefixCases,
    testing::Values(MaskCase{"255.255.255.0", 24}, MaskCase{"0.0.0.0", 0},
                    MaskCase{"255.255.255.255", 32}, MaskCase{"128.0.0.0", 1},
                    MaskCase{"255.255.240.0", 20}, MaskCase{"255.0.255.0", std::nullopt},
                    MaskCase{"0.255.255.255", std::nullopt}, MaskCase{"255.255.255.1", std::nullopt}));

TEST(PrefixMask, LengthsOutsideTheAddressHaveNoMask) {
  EXPECT_EQ(PrefixMask(-1), std::nullopt);
  EXPECT_EQ(PrefixMask(33), std::nullopt);
}

}  // namespace
