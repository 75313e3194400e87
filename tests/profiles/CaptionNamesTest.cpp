#include "CaptionNames.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ProfileIni.h"

namespace {

struct SectionCase {
  const char* a;
  const char* b;
  bool same;
};

class SameSection : public testing::TestWithParam<SectionCase> {};

// What the store would make of the two: one section or two.
TEST_P(SameSection, AgreesWithTheStore) {
  const SectionCase& c = GetParam();
  EXPECT_EQ(NameTheSameSection(c.a, c.b), c.same);
  const TProfileList both = {{c.a, {"A", false, "", "", "", "", "", ""}},
                             {c.b, {"B", false, "", "", "", "", "", ""}}};
  EXPECT_EQ(ProfilesFromIni(IniFromProfiles(both)).size(), c.same ? 1u : 2u);
}

INSTANTIATE_TEST_SUITE_P(Captions, SameSection,
                         testing::Values(SectionCase{"Office", "Office", true},
                                         SectionCase{"Office", "office", true},
                                         SectionCase{"Office", " Office\t", true},
                                         SectionCase{"B\xFCro", "B\xDCro", false},
                                         SectionCase{"Office", "Office 2", false},
                                         SectionCase{"Home", "Office", false}));

TEST(FreeCaption, TakesTheFirstNumberNoCaptionNames) {
  const std::string base = "Current Configuration";
  EXPECT_EQ(FreeCaption(base, {}), base);
  EXPECT_EQ(FreeCaption(base, {"Office"}), base);
  EXPECT_EQ(FreeCaption(base, {"current configuration"}), base + " 2");
  EXPECT_EQ(FreeCaption(base, {base, base + " 2", base + " 4"}), base + " 3");
}

TEST(NamesASection, BlankCaptionsNameNone) {
  EXPECT_TRUE(NamesASection("Office"));
  EXPECT_FALSE(NamesASection(""));
  EXPECT_FALSE(NamesASection(" \t "));
}

}  // namespace
