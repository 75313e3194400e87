#pragma once

#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <string_view>

#include "AddressEditRules.h"

// A field that holds text and has the focus (by a mouse press), with the characters at
// positions first..last selected: first == last is the block cursor there, 16 the end;
// last > first a selection made by dragging rightwards (caret end right), last < first
// one made by dragging leftwards (caret end left).
inline TAddressEditRules FieldWith(std::string_view text, int first, int last = 0) {
  TAddressEditRules field;
  field.SetText(text);
  field.FocusGained(TFocusCause::Mouse);
  field.MousePress(first);
  field.MouseRelease(last == 0 ? first : last);
  return field;
}

// A field entered by Tab: the whole text selected.
inline TAddressEditRules TabbedField(std::string_view text) {
  TAddressEditRules field;
  field.SetText(text);
  field.FocusGained(TFocusCause::KeyboardOrCode);
  return field;
}

struct TSelection {
  int start;
  int stop;
  int caretEnd;
  friend bool operator==(const TSelection&, const TSelection&) = default;
  friend std::ostream& operator<<(std::ostream& out, const TSelection& s) {
    return out << "(" << s.start << ", " << s.stop << ") caret " << s.caretEnd;
  }
};

inline TSelection SelectionOf(const TAddressEditRules& field) {
  return {field.SelStart(), field.SelStop(), field.CaretEnd()};
}

// The block cursor at position k (1 to 15), or the end (16).
inline TSelection Cursor(int position) {
  if (position >= 16) return {15, 15, 15};
  return {position - 1, position, position - 1};
}

// Types text; returns the number of beeps.
inline int Type(TAddressEditRules& field, std::string_view text) {
  int beeps = 0;
  for (char character : text) beeps += field.TypeCharacter(character).beep ? 1 : 0;
  return beeps;
}

inline TAddressEditResult Press(TAddressEditRules& field, TAddressKey key,
                                TKeyModifiers modifiers = {}) {
  TAddressEditResult result = field.KeyDown(key, modifiers);
  field.KeyUp(key);
  return result;
}

inline constexpr TKeyModifiers kShift{.shift = true};
inline constexpr TKeyModifiers kCtrl{.ctrl = true};
inline constexpr TKeyModifiers kAlt{.alt = true};
inline constexpr std::string_view kBlankText = "   .   .   .   ";
inline constexpr std::string_view kFull = "192.168.001.001";
