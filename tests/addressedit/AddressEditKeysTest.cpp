#include <gtest/gtest.h>

#include "AddressEditFixture.h"

namespace {

// Cursor keys in "192.168.001.001" from a selection of first..last (see FieldWith; 0 is the
// whole text selected by Tab, caret end at its right).
struct MoveCase {
  const char* what;
  int first;
  int last;
  TAddressKey key;
  TKeyModifiers modifiers;
  TSelection expected;
};

class CursorKeys : public testing::TestWithParam<MoveCase> {};

TEST_P(CursorKeys, MoveTheCursorAndLeaveTheText) {
  const MoveCase& c = GetParam();
  SCOPED_TRACE(c.what);
  TAddressEditRules field = c.first == 0 ? TabbedField(kFull) : FieldWith(kFull, c.first, c.last);
  const TAddressEditResult result = Press(field, c.key, c.modifiers);
  EXPECT_EQ(SelectionOf(field), c.expected);
  EXPECT_EQ(field.Text(), kFull);
  EXPECT_FALSE(result.beep);
  EXPECT_FALSE(result.passToDefault);
  EXPECT_FALSE(field.Modified());
}

INSTANTIATE_TEST_SUITE_P(
    Left, CursorKeys,
    testing::Values(MoveCase{"to the previous digit", 6, 6, TAddressKey::Left, {}, Cursor(5)},
                    MoveCase{"over a dot", 5, 5, TAddressKey::Left, {}, Cursor(3)},
                    MoveCase{"from a dot", 8, 8, TAddressKey::Left, {}, Cursor(7)},
                    MoveCase{"stays at 1", 1, 1, TAddressKey::Left, {}, Cursor(1)},
                    MoveCase{"from the end", 16, 16, TAddressKey::Left, {}, Cursor(15)},
                    MoveCase{"selection, caret end right", 3, 9, TAddressKey::Left, {}, Cursor(9)},
                    MoveCase{"selection, caret end left", 9, 3, TAddressKey::Left, {}, Cursor(3)},
                    MoveCase{"after Tab", 0, 0, TAddressKey::Left, {}, Cursor(15)}));

INSTANTIATE_TEST_SUITE_P(
    Right, CursorKeys,
    testing::Values(MoveCase{"to the next digit", 5, 5, TAddressKey::Right, {}, Cursor(6)},
                    MoveCase{"over a dot", 3, 3, TAddressKey::Right, {}, Cursor(5)},
                    MoveCase{"from a dot", 4, 4, TAddressKey::Right, {}, Cursor(5)},
                    MoveCase{"from 15 to the end", 15, 15, TAddressKey::Right, {}, Cursor(16)},
                    MoveCase{"stays at the end", 16, 16, TAddressKey::Right, {}, Cursor(16)},
                    MoveCase{"selection, caret end right", 3, 9, TAddressKey::Right, {}, Cursor(9)},
                    MoveCase{"selection, caret end left", 9, 3, TAddressKey::Right, {}, Cursor(3)},
                    MoveCase{"after Tab", 0, 0, TAddressKey::Right, {}, Cursor(15)}));

INSTANTIATE_TEST_SUITE_P(
    UpDownHomeEnd, CursorKeys,
    testing::Values(MoveCase{"Up ignored", 6, 6, TAddressKey::Up, {}, Cursor(6)},
                    MoveCase{"Down ignored", 3, 9, TAddressKey::Down, {}, {2, 9, 9}},
                    MoveCase{"Home", 6, 6, TAddressKey::Home, {}, Cursor(1)},
                    MoveCase{"Home from a selection", 3, 9, TAddressKey::Home, {}, Cursor(1)},
                    MoveCase{"Ctrl+Home", 6, 6, TAddressKey::Home, kCtrl, Cursor(1)},
                    MoveCase{"End", 6, 6, TAddressKey::End, {}, Cursor(16)},
                    MoveCase{"End from a selection", 3, 9, TAddressKey::End, {}, Cursor(16)},
                    MoveCase{"Enter does nothing", 3, 9, TAddressKey::Enter, {}, {2, 9, 9}}));

INSTANTIATE_TEST_SUITE_P(
    ShiftLeftRight, CursorKeys,
    testing::Values(
        MoveCase{"block grows right", 5, 5, TAddressKey::Right, kShift, {4, 6, 6}},
        MoveCase{"block grows left", 5, 5, TAddressKey::Left, kShift, {3, 5, 3}},
        MoveCase{"right end grows", 3, 9, TAddressKey::Right, kShift, {2, 10, 10}},
        MoveCase{"right end shrinks", 3, 9, TAddressKey::Left, kShift, {2, 8, 8}},
        MoveCase{"left end grows", 9, 3, TAddressKey::Left, kShift, {1, 9, 1}},
        MoveCase{"left end shrinks", 9, 3, TAddressKey::Right, kShift, {3, 9, 3}},
        MoveCase{"two shrink back to a block (right)", 5, 6, TAddressKey::Left, kShift, Cursor(5)},
        MoveCase{"two shrink back to a block (left)", 6, 5, TAddressKey::Right, kShift, Cursor(6)},
        MoveCase{"nothing right of 15", 15, 15, TAddressKey::Right, kShift, Cursor(15)},
        MoveCase{"nothing left of 1", 1, 1, TAddressKey::Left, kShift, Cursor(1)},
        MoveCase{"from the end leftwards", 16, 16, TAddressKey::Left, kShift, Cursor(15)},
        MoveCase{"from the end rightwards", 16, 16, TAddressKey::Right, kShift, Cursor(16)},
        MoveCase{
            "whole text shrinks at its caret end", 0, 0, TAddressKey::Left, kShift, {0, 14, 14}}));

INSTANTIATE_TEST_SUITE_P(
    ShiftHomeEnd, CursorKeys,
    testing::Values(
        MoveCase{"Shift+Home from the block", 5, 5, TAddressKey::Home, kShift, {0, 5, 0}},
        MoveCase{"Shift+Home, caret end right: anchor first",
                 3,
                 9,
                 TAddressKey::Home,
                 kShift,
                 {0, 3, 0}},
        MoveCase{
            "Shift+Home, caret end left: anchor last", 9, 3, TAddressKey::Home, kShift, {0, 9, 0}},
        MoveCase{"Shift+Home from 1", 1, 1, TAddressKey::Home, kShift, Cursor(1)},
        MoveCase{"Shift+Home from the end", 16, 16, TAddressKey::Home, kShift, {0, 15, 0}},
        MoveCase{"Shift+End from the block", 5, 5, TAddressKey::End, kShift, {4, 15, 15}},
        MoveCase{"Shift+End, caret end right: anchor first",
                 3,
                 9,
                 TAddressKey::End,
                 kShift,
                 {2, 15, 15}},
        MoveCase{
            "Shift+End, caret end left: anchor last", 9, 3, TAddressKey::End, kShift, {8, 15, 15}},
        MoveCase{"Shift+End from 15", 15, 15, TAddressKey::End, kShift, Cursor(15)},
        MoveCase{"Shift+End from the end", 16, 16, TAddressKey::End, kShift, Cursor(16)}));

// Delete and Backspace: (text, selection) -> (text, cursor).
struct EraseCase {
  const char* what;
  const char* text;
  int first;
  int last;
  TAddressKey key;
  const char* shown;
  int cursor;
};

class EraseKeys : public testing::TestWithParam<EraseCase> {};

TEST_P(EraseKeys, BlankDigitPositionsAndKeepTheDots) {
  const EraseCase& c = GetParam();
  SCOPED_TRACE(c.what);
  TAddressEditRules field = FieldWith(c.text, c.first, c.last);
  const TAddressEditResult result = Press(field, c.key);
  EXPECT_EQ(field.Text(), c.shown);
  EXPECT_EQ(SelectionOf(field), Cursor(c.cursor));
  EXPECT_EQ(field.Modified(), field.Text() != field.RestoreValue());
  EXPECT_FALSE(result.beep);
  EXPECT_FALSE(result.passToDefault);
}

INSTANTIATE_TEST_SUITE_P(
    Delete, EraseKeys,
    testing::Values(EraseCase{"block: blanked, cursor stays", kFull.data(), 2, 2,
                              TAddressKey::Delete, "1 2.168.001.001", 2},
                    EraseCase{"on a dot: nothing", kFull.data(), 4, 4, TAddressKey::Delete,
                              kFull.data(), 4},
                    EraseCase{"at the end: nothing", kFull.data(), 16, 16, TAddressKey::Delete,
                              kFull.data(), 16},
                    EraseCase{"selection: digits blanked, cursor at its first digit position",
                              kFull.data(), 3, 9, TAddressKey::Delete, "19 .   . 01.001", 3},
                    EraseCase{"selection from a dot", kFull.data(), 9, 4, TAddressKey::Delete,
                              "192.   . 01.001", 5},
                    EraseCase{"nothing moves left", "1.234.5", 5, 5, TAddressKey::Delete,
                              "1  . 34.5  .   ", 5}));

INSTANTIATE_TEST_SUITE_P(Backspace, EraseKeys,
                         testing::Values(EraseCase{"blanks the digit before", kFull.data(), 6, 6,
                                                   TAddressKey::Backspace, "192. 68.001.001", 5},
                                         EraseCase{"skips the dot before", "192. 68.001.001", 5, 5,
                                                   TAddressKey::Backspace, "19 . 68.001.001", 3},
                                         EraseCase{"from a dot", kFull.data(), 8, 8,
                                                   TAddressKey::Backspace, "192.16 .001.001", 7},
                                         EraseCase{"at position 1: nothing", kFull.data(), 1, 1,
                                                   TAddressKey::Backspace, kFull.data(), 1},
                                         EraseCase{"from the end", kFull.data(), 16, 16,
                                                   TAddressKey::Backspace, "192.168.001.00 ", 15},
                                         EraseCase{"selection: as Delete", kFull.data(), 3, 9,
                                                   TAddressKey::Backspace, "19 .   . 01.001", 3}));

TEST(EraseKeys, TwoBackspacesFromSix) {
  TAddressEditRules field = FieldWith(kFull, 6);
  Press(field, TAddressKey::Backspace);
  Press(field, TAddressKey::Backspace);
  EXPECT_EQ(field.Text(), "19 . 68.001.001");
  EXPECT_EQ(SelectionOf(field), Cursor(3));
}

struct CommandCase {
  TAddressKey key;
  TKeyModifiers modifiers;
  TClipboardCommand command;
};

class ClipboardKeys : public testing::TestWithParam<CommandCase> {};

TEST_P(ClipboardKeys, AskForTheirCommandAndChangeNothingThemselves) {
  const CommandCase& c = GetParam();
  for (int last : {5, 9}) {
    TAddressEditRules field = FieldWith(kFull, 5, last);
    const TSelection before = SelectionOf(field);
    const TAddressEditResult result = Press(field, c.key, c.modifiers);
    EXPECT_EQ(result.command, c.command);
    EXPECT_FALSE(result.passToDefault);
    EXPECT_EQ(field.Text(), kFull);
    EXPECT_EQ(SelectionOf(field), before);
  }
}

INSTANTIATE_TEST_SUITE_P(
    Keys, ClipboardKeys,
    testing::Values(CommandCase{TAddressKey::C, kCtrl, TClipboardCommand::Copy},
                    CommandCase{TAddressKey::Insert, kCtrl, TClipboardCommand::Copy},
                    CommandCase{TAddressKey::X, kCtrl, TClipboardCommand::Cut},
                    CommandCase{TAddressKey::Delete, kShift, TClipboardCommand::Cut},
                    CommandCase{TAddressKey::V, kCtrl, TClipboardCommand::Paste},
                    CommandCase{TAddressKey::Insert, kShift, TClipboardCommand::Paste}));

TEST(OtherKeys, GoToThePlainFieldAndReformTheBlockCursorFirst) {
  TAddressEditRules field = FieldWith(kFull, 6);
  field.SyncSelection(5, 5);  // a plain caret before position 6
  const TAddressEditResult result = field.KeyDown(TAddressKey::Other, {});
  EXPECT_TRUE(result.passToDefault);
  EXPECT_EQ(SelectionOf(field), Cursor(6));

  TAddressEditRules selected = FieldWith(kFull, 3, 9);
  EXPECT_TRUE(selected.KeyDown(TAddressKey::Other, {}).passToDefault);
  EXPECT_EQ(SelectionOf(selected), (TSelection{2, 9, 9}));
}

TEST(OtherKeys, LettersCAndVWithoutCtrlAreOtherKeys) {
  for (TAddressKey key : {TAddressKey::C, TAddressKey::X, TAddressKey::V, TAddressKey::Insert}) {
    TAddressEditRules field = FieldWith(kFull, 6);
    const TAddressEditResult result = field.KeyDown(key, {});
    EXPECT_TRUE(result.passToDefault);
    EXPECT_EQ(result.command, TClipboardCommand::None);
  }
}

TEST(AltHeld, TheFieldDoesNothingWithTheKey) {
  for (TAddressKey key : {TAddressKey::Left, TAddressKey::Delete, TAddressKey::Backspace,
                          TAddressKey::Home, TAddressKey::V, TAddressKey::Escape}) {
    TAddressEditRules field = FieldWith(kFull, 6);
    Type(field, "7");
    const TAddressEditResult result = Press(field, key, {.ctrl = true, .alt = true});
    EXPECT_EQ(field.Text(), "192.178.001.001");
    EXPECT_EQ(SelectionOf(field), Cursor(7));
    EXPECT_EQ(result.command, TClipboardCommand::None);
    EXPECT_FALSE(result.claimed);
  }
}

TEST(WordSteps, GoToThePlainFieldAndTheKeyUpFormsTheBlockCursor) {
  TAddressEditRules field = FieldWith(kFull, 10);
  const TAddressEditResult result = field.KeyDown(TAddressKey::Left, kCtrl);
  EXPECT_TRUE(result.passToDefault);
  EXPECT_EQ(SelectionOf(field), Cursor(10));
  field.SyncSelection(8, 8);  // the plain field stepped to the start of the word
  field.KeyUp(TAddressKey::Left);
  EXPECT_EQ(SelectionOf(field), Cursor(9));

  EXPECT_TRUE(field.KeyDown(TAddressKey::Right, kCtrl).passToDefault);
  field.SyncSelection(15, 15);
  field.KeyUp(TAddressKey::Right);
  EXPECT_EQ(SelectionOf(field), Cursor(16));
}

TEST(WordSteps, ShiftedWordStepKeepsTheSelectionAtKeyUp) {
  TAddressEditRules field = FieldWith(kFull, 10);
  field.KeyDown(TAddressKey::Right, {.shift = true, .ctrl = true});
  field.SyncSelection(9, 12);
  field.KeyUp(TAddressKey::Right);
  EXPECT_EQ(SelectionOf(field), (TSelection{9, 12, 12}));
}

struct EscapeCase {
  const char* what;
  const char* typed;
  TAddressKey erase;  // pressed after typing (Other: none)
  bool claimed;
  const char* shown;
  int cursor;
};

class EscapeKey : public testing::TestWithParam<EscapeCase> {};

// "1.2.3.4" entered by a click at 6 (a blank), then typed into, then Escape.
TEST_P(EscapeKey, RestoresTheTextOfTheFocusEntryWhileModified) {
  const EscapeCase& c = GetParam();
  SCOPED_TRACE(c.what);
  TAddressEditRules field = FieldWith("1.2.3.4", 6);
  Type(field, c.typed);
  if (c.erase != TAddressKey::Other) Press(field, c.erase);
  const TAddressEditResult result = field.KeyDown(TAddressKey::Escape, {});
  EXPECT_EQ(result.claimed, c.claimed);
  EXPECT_FALSE(result.passToDefault);
  EXPECT_EQ(field.Text(), c.shown);
  EXPECT_EQ(SelectionOf(field), Cursor(c.cursor));
  EXPECT_FALSE(field.Modified());
  EXPECT_FALSE(field.KeyDown(TAddressKey::Escape, {}).claimed);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, EscapeKey,
    testing::Values(EscapeCase{"after typing", "99", TAddressKey::Other, true, "1  .2  .3  .4  ",
                               1},
                    EscapeCase{"not modified", "", TAddressKey::Other, false, "1  .2  .3  .4  ", 6},
                    EscapeCase{"typed and erased again", "9", TAddressKey::Backspace, true,
                               "1  .2  .3  .4  ", 6}));

TEST(EscapeKey, RestoresTheTextOfTheLastFocusEntry) {
  TAddressEditRules field = FieldWith("1.2.3.4", 5);
  Type(field, "9");
  field.FocusLost();
  field.FocusGained(TFocusCause::KeyboardOrCode);
  Type(field, "8");
  Press(field, TAddressKey::Escape);
  EXPECT_EQ(field.Text(), "1  .9  .3  .4  ");
}

}  // namespace
