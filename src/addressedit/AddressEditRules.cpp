#include "AddressEditRules.h"

#include <algorithm>
#include <utility>

#include "AddressTemplate.h"

using namespace address_template;

namespace {

// Characters of keys that act on key-down (Ctrl+C, Backspace, Enter, Ctrl+V, Ctrl+X,
// Escape): their character messages carry nothing more to type.
bool IsCharacterOfHandledKey(char character) {
  constexpr std::string_view kHandledKeyCharacters = "\x03\b\r\x16\x18\x1b";
  return kHandledKeyCharacters.find(character) != std::string_view::npos;
}

// The third digit position of groups 1 to 3: a digit typed there makes the cursor jump
// over the dot that follows.
bool CompletesGroupBeforeDot(int position) {
  return position < kLength && position % 4 == 3;
}

// The first position after the dot that follows position (in groups 1 to 3).
int StartOfNextGroup(int position) {
  return (position / 4 + 1) * 4 + 1;
}

}  // namespace

const TAddressEditRules::TKeyEntry TAddressEditRules::kKeyTable[] = {
    {TAddressKey::Left, &TAddressEditRules::OnLeft, false},
    {TAddressKey::Right, &TAddressEditRules::OnRight, false},
    {TAddressKey::Up, &TAddressEditRules::OnIgnored, true},
    {TAddressKey::Down, &TAddressEditRules::OnIgnored, true},
    {TAddressKey::Home, &TAddressEditRules::OnHome, false},
    {TAddressKey::End, &TAddressEditRules::OnEnd, false},
    {TAddressKey::Delete, &TAddressEditRules::OnDelete, false},
    {TAddressKey::Insert, &TAddressEditRules::OnInsert, true},
    {TAddressKey::Backspace, &TAddressEditRules::OnBackspace, false},
    {TAddressKey::Escape, &TAddressEditRules::OnEscape, false},
    {TAddressKey::Enter, &TAddressEditRules::OnIgnored, true},
    {TAddressKey::C, &TAddressEditRules::OnCopyKey, true},
    {TAddressKey::X, &TAddressEditRules::OnCutKey, true},
    {TAddressKey::V, &TAddressEditRules::OnPasteKey, true},
    {TAddressKey::Other, &TAddressEditRules::OnOther, true},
};

TAddressEditRules::TAddressEditRules() : text_(kEmptyText), restore_(kEmptyText) {}

int TAddressEditRules::CursorPosition() const {
  if (Width() == 1) return selStop_;
  return selStart_ + 1;
}

void TAddressEditRules::SetText(std::string_view text) {
  ReplaceWholeText(PlaceInTemplate(text));
}

// --- selection -------------------------------------------------------------------------

void TAddressEditRules::Select(int start, int stop, int caretEnd) {
  selStart_ = std::clamp(start, 0, kLength);
  selStop_ = std::clamp(stop, selStart_, kLength);
  // A one-character selection is the block cursor, whose caret stands at its left end.
  caretEnd_ = Width() == 1 ? selStart_ : std::clamp(caretEnd, 0, kLength);
}

void TAddressEditRules::PlaceCursor(int position) {
  position = std::clamp(position, 1, kEnd);
  if (position == kEnd) {
    Select(kLength, kLength, kLength);
  } else {
    Select(position - 1, position, position - 1);
  }
}

void TAddressEditRules::ReformBlockCursor() {
  if (Width() == 0) PlaceCursor(selStart_ + 1);
}

void TAddressEditRules::CollapseSelection() {
  PlaceCursor(caretEnd_ == selStop_ ? selStop_ : caretEnd_ + 1);
}

// The moving end is the caret end; the block cursor counts as selected, and a selection
// shrunk to one character becomes the block cursor on it.
void TAddressEditRules::ExtendSelection(int step) {
  if (Width() == 0) {
    if (step > 0 && selStart_ < kLength) PlaceCursor(selStart_ + 1);
    if (step < 0 && selStart_ > 0) PlaceCursor(selStart_);
    return;
  }
  if (Width() == 1) {
    if (step > 0 && selStop_ < kLength) Select(selStart_, selStop_ + 1, selStop_ + 1);
    if (step < 0 && selStart_ > 0) Select(selStart_ - 1, selStop_, selStart_ - 1);
    return;
  }
  if (caretEnd_ == selStop_) {
    const int stop = std::clamp(selStop_ + step, 0, kLength);
    Select(selStart_, stop, stop);
  } else {
    const int start = std::clamp(selStart_ + step, 0, kLength);
    Select(start, selStop_, start);
  }
}

// The fixed end for Shift+Home and Shift+End, as a position 1 to 15 (0 or 16 only when
// nothing is selected at the very start or end).
int TAddressEditRules::AnchorCharacter() const {
  if (Width() == 0) return selStart_;
  if (Width() > 1 && caretEnd_ == selStop_) return selStart_ + 1;
  return selStop_;
}

// --- text ------------------------------------------------------------------------------

std::string TAddressEditRules::BlankedSelection() const {
  std::string text = text_;
  for (int position = selStart_ + 1; position <= selStop_; ++position) {
    if (IsDigitPosition(position)) text[static_cast<size_t>(position - 1)] = kBlank;
  }
  return text;
}

void TAddressEditRules::ChangeByUser(std::string text) {
  if (text == text_) return;
  text_ = std::move(text);
  modified_ = true;
}

void TAddressEditRules::ReplaceWholeText(std::string text) {
  if (text == text_) return;
  text_ = std::move(text);
  modified_ = false;
  restore_ = text_;
  PlaceCursor(1);
}

void TAddressEditRules::DeleteSelection() {
  if (Width() == 0) return;
  const bool wide = Width() > 1;
  const int first = selStart_ + 1;
  ChangeByUser(BlankedSelection());
  if (wide) PlaceCursor(NextDigitPosition(first));
}

// --- characters ------------------------------------------------------------------------

TAddressEditResult TAddressEditRules::TypeCharacter(char character) {
  if (IsCharacterOfHandledKey(character)) return {};
  const bool afterCompletedGroup = std::exchange(jumpedOverDot_, false);
  TAddressEditResult result;
  if (Width() > 1) {
    const int first = selStart_ + 1;
    ChangeByUser(BlankedSelection());
    PlaceCursor(NextDigitPosition(first));
    return TypeCharacter(character);
  }
  const int position = CursorPosition();
  if (position == kEnd) return result;
  if (!IsDigitPosition(position)) {
    PlaceCursor(position + 1);
  } else if (IsDigit(character)) {
    std::string text = text_;
    text[static_cast<size_t>(position - 1)] = character;
    ChangeByUser(std::move(text));
    PlaceCursor(NextDigitPosition(position + 1));
    jumpedOverDot_ = CompletesGroupBeforeDot(position);
  } else if (character == kDot && afterCompletedGroup) {
    // The group was closed by its third digit already; this dot closes nothing more.
  } else if (character == kDot && position < 13) {
    PlaceCursor(StartOfNextGroup(position));
  } else {
    result.beep = true;
  }
  return result;
}

// --- keys ------------------------------------------------------------------------------

TAddressEditResult TAddressEditRules::KeyDown(TAddressKey key, TKeyModifiers modifiers) {
  if (modifiers.alt) return {.passToDefault = true};
  for (const TKeyEntry& entry : kKeyTable) {
    if (entry.key != key) continue;
    const bool jumped = std::exchange(jumpedOverDot_, false);
    const std::string textBefore = text_;
    const int startBefore = selStart_;
    const int stopBefore = selStop_;
    TAddressEditResult result = (this->*entry.handler)(modifiers);
    if (entry.keepsJump && jumped && text_ == textBefore && selStart_ == startBefore &&
        selStop_ == stopBefore) {
      jumpedOverDot_ = true;
    }
    return result;
  }
  return {};
}

TAddressEditResult TAddressEditRules::KeyUp(TAddressKey key) {
  if (wordStepPending_ && (key == TAddressKey::Left || key == TAddressKey::Right)) {
    wordStepPending_ = false;
    ReformBlockCursor();
  }
  return {};
}

TAddressEditResult TAddressEditRules::OnLeft(TKeyModifiers modifiers) {
  if (modifiers.ctrl) {
    wordStepPending_ = true;
    return {.passToDefault = true};
  }
  if (modifiers.shift) {
    ExtendSelection(-1);
  } else if (Width() > 1) {
    CollapseSelection();
  } else {
    PlaceCursor(PreviousDigitPosition(CursorPosition() - 1));
  }
  return {};
}

TAddressEditResult TAddressEditRules::OnRight(TKeyModifiers modifiers) {
  if (modifiers.ctrl) {
    wordStepPending_ = true;
    return {.passToDefault = true};
  }
  if (modifiers.shift) {
    ExtendSelection(+1);
  } else if (Width() > 1) {
    CollapseSelection();
  } else {
    PlaceCursor(NextDigitPosition(CursorPosition() + 1));
  }
  return {};
}

TAddressEditResult TAddressEditRules::OnIgnored(TKeyModifiers) {
  return {};
}

TAddressEditResult TAddressEditRules::OnHome(TKeyModifiers modifiers) {
  if (modifiers.shift) {
    Select(0, AnchorCharacter(), 0);
  } else {
    PlaceCursor(1);
  }
  return {};
}

TAddressEditResult TAddressEditRules::OnEnd(TKeyModifiers modifiers) {
  if (modifiers.shift) {
    Select(Width() == 0 ? selStart_ : AnchorCharacter() - 1, kLength, kLength);
  } else {
    PlaceCursor(kEnd);
  }
  return {};
}

TAddressEditResult TAddressEditRules::OnDelete(TKeyModifiers modifiers) {
  if (modifiers.shift) return {.command = TClipboardCommand::Cut};
  DeleteSelection();
  return {};
}

TAddressEditResult TAddressEditRules::OnInsert(TKeyModifiers modifiers) {
  if (modifiers.ctrl) return {.command = TClipboardCommand::Copy};
  if (modifiers.shift) return {.command = TClipboardCommand::Paste};
  return OnOther(modifiers);
}

TAddressEditResult TAddressEditRules::OnBackspace(TKeyModifiers) {
  if (Width() > 1) {
    DeleteSelection();
    return {};
  }
  const int position = CursorPosition();
  if (position <= 1) return {};
  const int blanked = PreviousDigitPosition(position - 1);
  std::string text = text_;
  text[static_cast<size_t>(blanked - 1)] = kBlank;
  ChangeByUser(std::move(text));
  PlaceCursor(blanked);
  return {};
}

TAddressEditResult TAddressEditRules::OnEscape(TKeyModifiers) {
  if (!modified_) return {};
  modified_ = false;
  if (text_ != restore_) {
    text_ = restore_;
    PlaceCursor(1);
  }
  return {.claimed = true};
}

TAddressEditResult TAddressEditRules::OnCopyKey(TKeyModifiers modifiers) {
  if (modifiers.ctrl) return {.command = TClipboardCommand::Copy};
  return OnOther(modifiers);
}

TAddressEditResult TAddressEditRules::OnCutKey(TKeyModifiers modifiers) {
  if (modifiers.ctrl) return {.command = TClipboardCommand::Cut};
  return OnOther(modifiers);
}

TAddressEditResult TAddressEditRules::OnPasteKey(TKeyModifiers modifiers) {
  if (modifiers.ctrl) return {.command = TClipboardCommand::Paste};
  return OnOther(modifiers);
}

TAddressEditResult TAddressEditRules::OnOther(TKeyModifiers) {
  ReformBlockCursor();
  return {.passToDefault = true};
}

// --- mouse -----------------------------------------------------------------------------

void TAddressEditRules::MousePress(int position) {
  jumpedOverDot_ = false;
  wordStepPending_ = false;
  pressPosition_ = std::clamp(position, 1, kEnd);
  PlaceCursor(pressPosition_);
}

void TAddressEditRules::MouseDrag(int position) {
  if (pressPosition_ != 0) DragTo(position);
}

void TAddressEditRules::MouseRelease(int position) {
  if (pressPosition_ == 0) return;
  DragTo(position);
  pressPosition_ = 0;
}

// Both the pressed cell and the cell under the pointer are selected; the cell right of
// the last character adds none.
void TAddressEditRules::DragTo(int position) {
  position = std::clamp(position, 1, kEnd);
  if (position == pressPosition_) {
    PlaceCursor(position);
    return;
  }
  const int first = std::min(position, pressPosition_);
  const int last = std::min(std::max(position, pressPosition_), kLength);
  const bool rightwards = position > pressPosition_;
  Select(first - 1, last, rightwards ? last : first - 1);
}

// --- focus -----------------------------------------------------------------------------

void TAddressEditRules::FocusGained(TFocusCause cause) {
  jumpedOverDot_ = false;
  wordStepPending_ = false;
  restore_ = text_;
  if (cause == TFocusCause::KeyboardOrCode) Select(0, kLength, kLength);
}

void TAddressEditRules::FocusLost() {
  jumpedOverDot_ = false;
  wordStepPending_ = false;
  pressPosition_ = 0;
  ReformBlockCursor();
}

// --- clipboard -------------------------------------------------------------------------

TAddressEditResult TAddressEditRules::Cut() {
  jumpedOverDot_ = false;
  if (Width() == 0) return {};
  TAddressEditResult result{
      .clipboard = text_.substr(static_cast<size_t>(selStart_), static_cast<size_t>(Width()))};
  DeleteSelection();
  return result;
}

TAddressEditResult TAddressEditRules::Copy() {
  if (Width() == 0) return {};
  return {.clipboard = text_.substr(static_cast<size_t>(selStart_), static_cast<size_t>(Width()))};
}

void TAddressEditRules::Paste(std::optional<std::string_view> clipboard) {
  jumpedOverDot_ = false;
  const int start = selStart_ + 1;
  ReplaceWholeText(BlankedSelection());
  TLaidText laid{text_, start};
  if (clipboard) {
    if (auto groups = DottedAddressGroups(*clipboard)) {
      laid = LayGroups(text_, start, *groups);
    } else {
      laid = LayCharacters(text_, start, *clipboard);
    }
  }
  ReplaceWholeText(std::move(laid.text));
  PlaceCursor(laid.next);
}

void TAddressEditRules::Clear() {
  jumpedOverDot_ = false;
  DeleteSelection();
}

void TAddressEditRules::SyncSelection(int start, int stop) {
  start = std::clamp(start, 0, kLength);
  stop = std::clamp(stop, 0, kLength);
  if (start > stop) std::swap(start, stop);
  if (start == selStart_ && stop == selStop_) return;
  jumpedOverDot_ = false;
  Select(start, stop, start != selStart_ ? start : stop);
}
