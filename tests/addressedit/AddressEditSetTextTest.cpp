#include <gtest/gtest.h>

#include "AddressEditFixture.h"
#include "AddressTemplate.h"

namespace {

struct SetTextCase {
  const char* given;
  const char* shown;
};

class SettingTheText : public testing::TestWithParam<SetTextCase> {};

TEST_P(SettingTheText, PlacesTheTextIntoTheTemplate) {
  const SetTextCase& c = GetParam();
  TAddressEditRules field;
  field.SetText(c.given);
  EXPECT_EQ(field.Text(), c.shown);
  EXPECT_EQ(field.RestoreValue(), c.shown);
}

INSTANTIATE_TEST_SUITE_P(Examples, SettingTheText,
                         testing::Values(SetTextCase{"", "   .   .   .   "},
                                         SetTextCase{"192.168.001.001", "192.168.001.001"},
                                         SetTextCase{"10.0.0.1", "10 .0  .0  .1  "},
                                         SetTextCase{"10 .0  .0  .1  ", "10 .0  .0  .1  "},
                                         SetTextCase{".   .   .", "   .   .   .   "},
                                         SetTextCase{"192.168.1  .1", "192.168.1  .1  "},
                                         SetTextCase{"192.168.1", "192.168.1  .   "},
                                         SetTextCase{"192168001001", "192.   .   .   "},
                                         SetTextCase{"1000.1.1.1", "100.1  .1  .1  "},
                                         SetTextCase{"1.1.1.1000", "1  .1  .1  .100"},
                                         SetTextCase{"1.2.3.4.5", "1  .2  .3  .4.5"},
                                         SetTextCase{"abc", "abc.   .   .   "},
                                         SetTextCase{"...", "   .   .   .   "}));

TEST(SettingTheText, AnUntouchedFieldReadsBlank) {
  TAddressEditRules field;
  EXPECT_EQ(field.Text(), kBlankText);
  EXPECT_FALSE(field.Modified());
}

TEST(SettingTheText, ANewTextClearsTheMarkBecomesTheRestoreValueAndPutsTheCursorFirst) {
  TAddressEditRules field = FieldWith("1.2.3.4", 9);
  Type(field, "7");
  ASSERT_TRUE(field.Modified());
  field.SetText("10.0.0.1");
  EXPECT_FALSE(field.Modified());
  EXPECT_EQ(field.RestoreValue(), "10 .0  .0  .1  ");
  EXPECT_EQ(SelectionOf(field), Cursor(1));
}

TEST(SettingTheText, TheSameTextChangesNothingElse) {
  TAddressEditRules field = FieldWith("1.2.3.4", 9);
  Type(field, "7");
  const std::string typed = field.Text();
  field.SetText("1  .2  .7  .4");  // the same address, trailing blanks lost
  EXPECT_EQ(field.Text(), typed);
  EXPECT_TRUE(field.Modified());
  EXPECT_EQ(field.RestoreValue(), "1  .2  .3  .4  ");
  EXPECT_EQ(SelectionOf(field), Cursor(10));
}

TEST(SettingTheText, ATextReadFromAFieldShowsTheSameAddressAgain) {
  for (const char* text : {"192.168.1  .1  ", "  1.  2.  3.  4", "   .   .   .   "}) {
    TAddressEditRules field;
    field.SetText(text);
    TAddressEditRules other;
    other.SetText(std::string(field.Text()));
    EXPECT_EQ(other.Text(), text);
  }
}

TEST(DigitPositions, StepOverTheDotsAndStopAtTheEnds) {
  using namespace address_template;
  EXPECT_EQ(NextDigitPosition(4), 5);
  EXPECT_EQ(NextDigitPosition(12), 13);
  EXPECT_EQ(NextDigitPosition(3), 3);
  EXPECT_EQ(NextDigitPosition(16), 16);
  EXPECT_EQ(PreviousDigitPosition(8), 7);
  EXPECT_EQ(PreviousDigitPosition(1), 1);
  EXPECT_EQ(PreviousDigitPosition(0), 1);
  EXPECT_EQ(PreviousDigitPosition(16), 15);
}

}  // namespace
