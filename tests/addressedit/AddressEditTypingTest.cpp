#include <gtest/gtest.h>

#include "AddressEditFixture.h"

namespace {

// A field set to text, with positions first..last selected (0: entered by Tab, all
// selected), then typed into.
struct TypingCase {
  const char* what;
  const char* text;
  int first;
  int last;
  const char* typed;
  const char* shown;
  int cursor;
  int beeps;
};

class Typing : public testing::TestWithParam<TypingCase> {};

TEST_P(Typing, OverwritesDigitPositionsAndRefusesTheRest) {
  const TypingCase& c = GetParam();
  SCOPED_TRACE(c.what);
  TAddressEditRules field = c.first == 0 ? TabbedField(c.text) : FieldWith(c.text, c.first, c.last);
  EXPECT_EQ(Type(field, c.typed), c.beeps);
  EXPECT_EQ(field.Text(), c.shown);
  EXPECT_EQ(SelectionOf(field), Cursor(c.cursor));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, Typing,
    testing::Values(
        TypingCase{"address with short groups", "", 0, 0, "10.0.0.1", "10 .0  .0  .1  ", 14, 0},
        TypingCase{"dot after a completed group is absorbed", "", 0, 0, "192.168.1.1",
                   "192.168.1  .1  ", 14, 0},
        TypingCase{"twelve digits", "", 0, 0, "192168001001", "192.168.001.001", 16, 0},
        TypingCase{"a thirteenth digit is ignored", "", 0, 0, "1921680010019", "192.168.001.001",
                   16, 0},
        TypingCase{"typing replaces a whole selection", "192.168.001.001", 0, 0, "5",
                   "5  .   .   .   ", 2, 0},
        TypingCase{"selection 3..9 blanked, then the digit", "192.168.001.001", 3, 9, "4",
                   "194.   . 01.001", 5, 0},
        TypingCase{"digit overwrites", "192.168.001.001", 6, 6, "7", "192.178.001.001", 7, 0},
        TypingCase{"digit completing group 4 goes to the end", "", 15, 15, "9", "   .   .   .  9",
                   16, 0},
        TypingCase{"letter beeps", "", 1, 1, "a", "   .   .   .   ", 1, 1},
        TypingCase{"letter over a selection blanks it and beeps", "192.168.001.001", 0, 0, "a",
                   "   .   .   .   ", 1, 1},
        TypingCase{"control characters beep", "", 1, 1, "\x01\x1a\t\x7f", "   .   .   .   ", 1, 4},
        TypingCase{"characters of handled keys are silent", "1.2.3.4", 2, 2, "\b\r\x1b\x03\x16\x18",
                   "1  .2  .3  .4  ", 2, 0},
        TypingCase{"any character on a dot steps over it", "192.168.001.001", 4, 4, "x",
                   "192.168.001.001", 5, 0},
        TypingCase{"a digit on a dot is discarded", "192.168.001.001", 8, 8, "7", "192.168.001.001",
                   9, 0},
        TypingCase{"dot in groups 1-3 goes to the next group", "192.168.001.001", 6, 6, ".",
                   "192.168.001.001", 9, 0},
        TypingCase{"dot in group 4 beeps", "", 13, 13, ".", "   .   .   .   ", 13, 1},
        TypingCase{"dot after one digit", "", 1, 1, "1.", "1  .   .   .   ", 5, 0},
        TypingCase{"only one dot is absorbed", "", 1, 1, "192..", "192.   .   .   ", 9, 0},
        TypingCase{"digit in the third position completes a group", "", 3, 3, "5.",
                   "  5.   .   .   ", 5, 0},
        TypingCase{"a refused letter ends 'right after the digit'", "", 1, 1, "192a.",
                   "192.   .   .   ", 9, 1},
        TypingCase{"dot after the last digit is ignored at the end", "", 13, 13, "123.",
                   "   .   .   .123", 16, 0},
        TypingCase{"at the end everything is ignored", "1.2.3.4", 16, 16, "5a.", "1  .2  .3  .4  ",
                   16, 0}));

TEST(Typing, ADotIsAbsorbedOnlyWhereTheCursorJumped) {
  TAddressEditRules field = FieldWith("", 1);
  Type(field, "192");
  Press(field, TAddressKey::Left);
  Press(field, TAddressKey::Right);
  ASSERT_EQ(SelectionOf(field), Cursor(5));
  Type(field, ".");
  EXPECT_EQ(SelectionOf(field), Cursor(9));
}

TEST(Typing, KeysThatLeaveTheFieldAloneKeepADotAbsorbed) {
  TAddressEditRules field = FieldWith("", 1);
  Type(field, "192");
  // Key-down of the "." key itself and a stray Shift come before the character.
  field.KeyDown(TAddressKey::Other, {});
  field.KeyDown(TAddressKey::Other, kShift);
  Type(field, ".");
  EXPECT_EQ(SelectionOf(field), Cursor(5));
}

TEST(Typing, SetsTheModifiedMarkOnlyWhenTheTextChanges) {
  TAddressEditRules field = FieldWith("192.168.001.001", 1);
  Type(field, "1");
  EXPECT_FALSE(field.Modified());
  Type(field, "a.");
  EXPECT_FALSE(field.Modified());
  Type(field, "7");
  EXPECT_TRUE(field.Modified());
}

}  // namespace
