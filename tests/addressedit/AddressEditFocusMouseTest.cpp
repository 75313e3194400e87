#include <gtest/gtest.h>

#include "AddressEditFixture.h"

namespace {

TEST(Focus, ByKeyboardSelectsTheWholeTextAndTypingStartsAtOne) {
  TAddressEditRules field = TabbedField(kFull);
  EXPECT_EQ(SelectionOf(field), (TSelection{0, 15, 15}));
  EXPECT_EQ(field.RestoreValue(), kFull);
  Type(field, "5");
  EXPECT_EQ(field.Text(), "5  .   .   .   ");
  EXPECT_EQ(SelectionOf(field), Cursor(2));
}

TEST(Focus, ByMouseLeavesTheSelectionToTheClick) {
  TAddressEditRules field;
  field.SetText(kFull);
  Press(field, TAddressKey::End);
  field.FocusGained(TFocusCause::Mouse);
  EXPECT_EQ(SelectionOf(field), Cursor(16));
  field.MousePress(6);
  field.MouseRelease(6);
  EXPECT_EQ(SelectionOf(field), Cursor(6));
}

TEST(Focus, GainingItMakesTheCurrentTextTheRestoreValue) {
  TAddressEditRules field = FieldWith("1.2.3.4", 5);
  Type(field, "9");
  EXPECT_EQ(field.RestoreValue(), "1  .2  .3  .4  ");
  field.FocusLost();
  field.FocusGained(TFocusCause::Mouse);
  EXPECT_EQ(field.RestoreValue(), "1  .9  .3  .4  ");
}

TEST(Focus, LosingItKeepsAnIncompleteTextAndReformsTheBlockCursor) {
  TAddressEditRules field = FieldWith("", 1);
  Type(field, "1");
  field.SyncSelection(4, 4);
  field.FocusLost();
  EXPECT_EQ(field.Text(), "1  .   .   .   ");
  EXPECT_EQ(SelectionOf(field), Cursor(5));

  TAddressEditRules selected = FieldWith(kFull, 3, 9);
  selected.FocusLost();
  EXPECT_EQ(SelectionOf(selected), (TSelection{2, 9, 9}));
}

struct MouseCase {
  const char* what;
  int press;
  int drag;  // 0: none
  int release;
  TSelection expected;
};

class Mouse : public testing::TestWithParam<MouseCase> {};

TEST_P(Mouse, AClickPlacesTheCursorAndADragSelects) {
  const MouseCase& c = GetParam();
  SCOPED_TRACE(c.what);
  TAddressEditRules field;
  field.SetText(kFull);
  field.FocusGained(TFocusCause::Mouse);
  field.MousePress(c.press);
  if (c.drag != 0) field.MouseDrag(c.drag);
  field.MouseRelease(c.release);
  EXPECT_EQ(SelectionOf(field), c.expected);
  EXPECT_EQ(field.Text(), kFull);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, Mouse,
    testing::Values(MouseCase{"click on a digit", 6, 0, 6, Cursor(6)},
                    MouseCase{"click on a dot", 8, 0, 8, Cursor(8)},
                    MouseCase{"click right of the text", 16, 0, 16, Cursor(16)},
                    MouseCase{"drag rightwards", 3, 0, 9, {2, 9, 9}},
                    MouseCase{"drag leftwards", 9, 0, 3, {2, 9, 2}},
                    MouseCase{"drag out right of the text", 5, 0, 16, {4, 15, 15}},
                    MouseCase{"drag in from right of the text", 16, 0, 10, {9, 15, 9}},
                    MouseCase{"drag away and back is a click", 6, 11, 6, Cursor(6)},
                    MouseCase{"drag to the neighbour", 6, 0, 7, {5, 7, 7}}));

TEST(Mouse, DragWithoutPressDoesNothing) {
  TAddressEditRules field = FieldWith(kFull, 6);
  field.MouseDrag(10);
  field.MouseRelease(12);
  EXPECT_EQ(SelectionOf(field), Cursor(6));
}

TEST(Mouse, AClickEndsRightAfterACompletedGroup) {
  TAddressEditRules field = FieldWith("", 1);
  Type(field, "192");
  field.MousePress(5);
  field.MouseRelease(5);
  Type(field, ".");
  EXPECT_EQ(SelectionOf(field), Cursor(9));
}

}  // namespace
