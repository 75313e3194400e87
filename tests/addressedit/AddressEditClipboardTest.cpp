#include <gtest/gtest.h>

#include <optional>

#include "AddressEditFixture.h"

namespace {

struct PasteCase {
  const char* what;
  const char* text;
  int first;
  int last;
  std::optional<std::string_view> clipboard;
  const char* shown;
  int cursor;
};

class Paste : public testing::TestWithParam<PasteCase> {};

TEST_P(Paste, LaysTheClipboardTextIntoTheTemplate) {
  const PasteCase& c = GetParam();
  SCOPED_TRACE(c.what);
  TAddressEditRules field = FieldWith(c.text, c.first, c.last);
  field.Paste(c.clipboard);
  EXPECT_EQ(field.Text(), c.shown);
  EXPECT_EQ(SelectionOf(field), Cursor(c.cursor));
  EXPECT_FALSE(field.Modified());
  EXPECT_EQ(field.RestoreValue(), c.shown);
}

INSTANTIATE_TEST_SUITE_P(
    CharacterByCharacter, Paste,
    testing::Values(
        PasteCase{"digits only", "", 1, 1, "192168001001", "192.168.001.001", 16},
        PasteCase{"one digit on a dot", "", 4, 4, "1", "   .1  .   .   ", 6},
        PasteCase{"at the end nothing changes", "1.2.3.4", 16, 16, "192168", "1  .2  .3  .4  ", 16},
        PasteCase{"dotted address at the end", "1.2.3.4", 16, 16, "5.6.7.8", "1  .2  .3  .4  ", 16},
        PasteCase{"letters become blanks", kFull.data(), 1, 1, "ab3", "  3.168.001.001", 4},
        PasteCase{"positions after the text keep their contents", kFull.data(), 5, 5, "99",
                  "192.998.001.001", 7},
        PasteCase{"cut off at 15", "", 1, 1, "1234567890123456789", "123.456.789.012", 16},
        PasteCase{"a selection is blanked first", kFull.data(), 3, 9, "7", "197.   . 01.001", 4},
        PasteCase{"five groups are no address", "", 1, 1, "1.2.3.4.5", "1 2.3 4.5  .   ", 10},
        PasteCase{"an empty group is no address", "", 1, 1, "192.168.1.", "192.168.1  .   ", 11},
        PasteCase{"a long group is no address", "", 1, 1, "1234.5", "123.4 5.   .   ", 8},
        PasteCase{"no text: only the blanking", kFull.data(), 2, 2, std::nullopt, "1 2.168.001.001",
                  2},
        PasteCase{"no text over a selection", kFull.data(), 3, 9, std::nullopt, "19 .   . 01.001",
                  3}));

INSTANTIATE_TEST_SUITE_P(
    DottedAddress, Paste,
    testing::Values(
        PasteCase{"group by group", "", 1, 1, "192.168.1.1", "192.168.1  .1  ", 16},
        PasteCase{"short groups", "", 1, 1, "10.0.0.1", "10 .0  .0  .1  ", 16},
        PasteCase{"over a full field", kFull.data(), 1, 1, "10.0.0.1", "10 .0  .0  .1  ", 16},
        PasteCase{"blanks at the ends ignored", "", 1, 1, "  10.0.0.1 \r\n", "10 .0  .0  .1  ", 16},
        PasteCase{"from the group of the cursor", kFull.data(), 6, 6, "10.20", "192.10 .20 .001",
                  12},
        PasteCase{"a dot belongs to the group after it", kFull.data(), 8, 8, "7.8",
                  "192.168.7  .8  ", 16},
        PasteCase{"groups past the fourth are cut off", "", 13, 13, "1.2.3", "   .   .   .1  ", 16},
        PasteCase{"the cursor goes after the last group laid", "", 1, 1, "1.2", "1  .2  .   .   ",
                  8}));

TEST(Paste, AfterAChangingPasteEscapeDoesNothing) {
  TAddressEditRules field = FieldWith("1.2.3.4", 5);
  Type(field, "9");
  field.Paste("7");
  ASSERT_EQ(field.Text(), "1  .97 .3  .4  ");
  EXPECT_FALSE(field.KeyDown(TAddressKey::Escape, {}).claimed);
  EXPECT_EQ(field.Text(), "1  .97 .3  .4  ");
}

TEST(Paste, ThatChangesNothingKeepsTheMark) {
  TAddressEditRules field = FieldWith("1.2.3.4", 5);
  Type(field, "9");
  Press(field, TAddressKey::End);
  field.Paste("1");
  EXPECT_TRUE(field.Modified());
  EXPECT_TRUE(field.KeyDown(TAddressKey::Escape, {}).claimed);
  EXPECT_EQ(field.Text(), "1  .2  .3  .4  ");
}

struct CutCopyCase {
  const char* what;
  int first;
  int last;
  const char* copied;
  const char* afterCut;
  int cursorAfterCut;
};

class CutAndCopy : public testing::TestWithParam<CutCopyCase> {};

TEST_P(CutAndCopy, PutTheSelectedCharactersOnTheClipboard) {
  const CutCopyCase& c = GetParam();
  SCOPED_TRACE(c.what);
  TAddressEditRules copied = FieldWith(kFull, c.first, c.last);
  const TSelection before = SelectionOf(copied);
  EXPECT_EQ(copied.Copy().clipboard.value_or("<none>"), c.copied);
  EXPECT_EQ(copied.Text(), kFull);
  EXPECT_EQ(SelectionOf(copied), before);

  TAddressEditRules cut = FieldWith(kFull, c.first, c.last);
  EXPECT_EQ(cut.Cut().clipboard.value_or("<none>"), c.copied);
  EXPECT_EQ(cut.Text(), c.afterCut);
  EXPECT_EQ(SelectionOf(cut), Cursor(c.cursorAfterCut));
  EXPECT_EQ(cut.Modified(), cut.Text() != kFull);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, CutAndCopy,
    testing::Values(CutCopyCase{"block cursor", 2, 2, "9", "1 2.168.001.001", 2},
                    CutCopyCase{"block on a dot", 4, 4, ".", kFull.data(), 4},
                    CutCopyCase{"selection with dots", 3, 9, "2.168.0", "19 .   . 01.001", 3},
                    CutCopyCase{"whole text", 1, 15, kFull.data(), "   .   .   .   ", 1},
                    CutCopyCase{"nothing at the end", 16, 16, "<none>", kFull.data(), 16}));

TEST(ClearCommand, BlanksAsDeleteDoes) {
  TAddressEditRules field = FieldWith(kFull, 3, 9);
  field.Clear();
  EXPECT_EQ(field.Text(), "19 .   . 01.001");
  EXPECT_EQ(SelectionOf(field), Cursor(3));
  EXPECT_TRUE(field.Modified());
}

}  // namespace
