#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

#include "AddressEditRules.h"

// Turns a string of bytes into operations on the address field, for long random runs and
// for the fuzzer: every byte sequence is a valid sequence of operations.
class TOperationBytes {
 public:
  TOperationBytes(const uint8_t* data, size_t size) : data_(data), size_(size) {}
  bool Done() const { return at_ >= size_; }
  uint8_t Next() { return at_ < size_ ? data_[at_++] : 0; }
  // A position or boundary, including a few values outside 0 to 16.
  int NextPosition() { return static_cast<int>(Next() % 20) - 2; }
  std::string NextText() {
    std::string text(Next() % 24, ' ');
    for (char& character : text) character = NextCharacter();
    return text;
  }
  // Mostly digits and dots, so that addresses come up often.
  char NextCharacter() {
    const uint8_t byte = Next();
    if (byte < 160) return "0123456789.  ."[byte % 14];
    return static_cast<char>(Next());
  }

 private:
  const uint8_t* data_;
  size_t size_;
  size_t at_ = 0;
};

inline void ApplyNextOperation(TAddressEditRules& field, TOperationBytes& bytes) {
  constexpr int kOperationCount = 14;
  switch (bytes.Next() % kOperationCount) {
    case 0:
      field.SetText(bytes.NextText());
      break;
    case 1:
      field.TypeCharacter(bytes.NextCharacter());
      break;
    case 2: {
      const auto key = static_cast<TAddressKey>(bytes.Next() % 15);
      const uint8_t modifiers = bytes.Next();
      field.KeyDown(key, {.shift = (modifiers & 1) != 0,
                          .ctrl = (modifiers & 2) != 0,
                          .alt = (modifiers & 12) == 12});
      break;
    }
    case 3:
      field.KeyUp(static_cast<TAddressKey>(bytes.Next() % 15));
      break;
    case 4:
      field.MousePress(bytes.NextPosition());
      break;
    case 5:
      field.MouseDrag(bytes.NextPosition());
      break;
    case 6:
      field.MouseRelease(bytes.NextPosition());
      break;
    case 7:
      field.FocusGained((bytes.Next() & 1) ? TFocusCause::Mouse : TFocusCause::KeyboardOrCode);
      break;
    case 8:
      field.FocusLost();
      break;
    case 9:
      field.Cut();
      break;
    case 10:
      field.Copy();
      break;
    case 11:
      if (bytes.Next() & 1) {
        field.Paste(bytes.NextText());
      } else {
        field.Paste(std::nullopt);
      }
      break;
    case 12:
      field.Clear();
      break;
    default: {
      const int start = bytes.NextPosition();
      field.SyncSelection(start, bytes.NextPosition());
      break;
    }
  }
}

// What is wrong with the field's state, or "" when it holds together: 15 characters with
// dots at 4, 8 and 12 (text and restore value), the selection inside 0..15 in order, the
// caret end at one of its ends (the left one for a single character).
inline std::string InvariantViolation(const TAddressEditRules& field) {
  auto badTemplate = [](const std::string& text) {
    return text.size() != 15 || text[3] != '.' || text[7] != '.' || text[11] != '.';
  };
  if (badTemplate(field.Text())) return "text '" + field.Text() + "'";
  if (badTemplate(field.RestoreValue())) return "restore value '" + field.RestoreValue() + "'";
  const int start = field.SelStart();
  const int stop = field.SelStop();
  const int caret = field.CaretEnd();
  const std::string selection = "selection " + std::to_string(start) + ".." + std::to_string(stop) +
                                " caret " + std::to_string(caret);
  if (start < 0 || stop > 15 || start > stop) return selection;
  if (caret != start && caret != stop) return selection;
  if (stop - start == 1 && caret != start) return selection;
  return "";
}
