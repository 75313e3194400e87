#pragma once

#include <optional>
#include <string>
#include <string_view>

// The editing rules of the masked IPv4 address field, free of any window: the 15-character
// edit text, the selection, the caret end, the restore value and the modified mark, and
// what every key, character, mouse, focus and clipboard event does to them. The window
// control feeds events in and shows the state; tests drive it directly.
//
// Selection: characters start+1 .. stop (boundaries 0 to 15). The cursor at position k
// (1 to 15) is the one-character selection (k-1, k) with the caret at its left end; the
// cursor at the end (position 16) is the empty selection (15, 15).

// The keys the field tells apart; every other key is Other.
enum class TAddressKey {
  Left,
  Right,
  Up,
  Down,
  Home,
  End,
  Delete,
  Insert,
  Backspace,
  Escape,
  Enter,
  C,
  X,
  V,
  Other
};

struct TKeyModifiers {
  bool shift = false;
  bool ctrl = false;
  bool alt = false;
};

// A clipboard command that a key asks for; the caller runs it (Cut, Copy or Paste) as it
// would run the same command from a menu.
enum class TClipboardCommand { None, Cut, Copy, Paste };

enum class TFocusCause { KeyboardOrCode, Mouse };

struct TAddressEditResult {
  bool beep = false;
  // The key belongs to the field: a surrounding window must not act on it too.
  bool claimed = false;
  // The caller lets a plain single-line text field handle the key as well, and then
  // reports the selection it made (SyncSelection).
  bool passToDefault = false;
  TClipboardCommand command = TClipboardCommand::None;
  // Text to put on the clipboard.
  std::optional<std::string> clipboard = std::nullopt;
};

class TAddressEditRules {
 public:
  TAddressEditRules();

  const std::string& Text() const { return text_; }
  int SelStart() const { return selStart_; }
  int SelStop() const { return selStop_; }
  int CaretEnd() const { return caretEnd_; }
  const std::string& RestoreValue() const { return restore_; }
  bool Modified() const { return modified_; }
  // While the mark is set Escape belongs to the field.
  bool ClaimsEscape() const { return modified_; }
  // 1 to 15 for the block cursor, 16 for the end; for a wider selection its first position.
  int CursorPosition() const;

  // Writing Text: places any text into the template.
  void SetText(std::string_view text);

  TAddressEditResult TypeCharacter(char character);
  TAddressEditResult KeyDown(TAddressKey key, TKeyModifiers modifiers);
  TAddressEditResult KeyUp(TAddressKey key);

  // Mouse positions are character cells: 1 to 15, or 16 right of the last character.
  void MousePress(int position);
  void MouseDrag(int position);
  void MouseRelease(int position);

  void FocusGained(TFocusCause cause);
  void FocusLost();

  TAddressEditResult Cut();
  TAddressEditResult Copy();
  // clipboard: its text, or nothing when it holds no text.
  void Paste(std::optional<std::string_view> clipboard);
  // Blanks the selection as the Delete key does.
  void Clear();

  // The plain text field moved the selection itself (word steps, its own keys): adopt it.
  void SyncSelection(int start, int stop);

 private:
  using KeyHandler = TAddressEditResult (TAddressEditRules::*)(TKeyModifiers);
  struct TKeyEntry {
    TAddressKey key;
    KeyHandler handler;
    bool keepsJump;  // a key that leaves the field alone does not end "right after a digit"
  };
  static const TKeyEntry kKeyTable[];

  int Width() const { return selStop_ - selStart_; }
  void Select(int start, int stop, int caretEnd);
  void PlaceCursor(int position);
  void ReformBlockCursor();
  void CollapseSelection();
  std::string BlankedSelection() const;
  void ChangeByUser(std::string text);
  void ReplaceWholeText(std::string text);
  void DeleteSelection();
  void ExtendSelection(int step);
  int AnchorCharacter() const;
  void DragTo(int position);

  TAddressEditResult OnLeft(TKeyModifiers modifiers);
  TAddressEditResult OnRight(TKeyModifiers modifiers);
  TAddressEditResult OnIgnored(TKeyModifiers modifiers);
  TAddressEditResult OnHome(TKeyModifiers modifiers);
  TAddressEditResult OnEnd(TKeyModifiers modifiers);
  TAddressEditResult OnDelete(TKeyModifiers modifiers);
  TAddressEditResult OnInsert(TKeyModifiers modifiers);
  TAddressEditResult OnBackspace(TKeyModifiers modifiers);
  TAddressEditResult OnEscape(TKeyModifiers modifiers);
  TAddressEditResult OnCopyKey(TKeyModifiers modifiers);
  TAddressEditResult OnCutKey(TKeyModifiers modifiers);
  TAddressEditResult OnPasteKey(TKeyModifiers modifiers);
  TAddressEditResult OnOther(TKeyModifiers modifiers);

  std::string text_;
  int selStart_ = 0;
  int selStop_ = 1;
  int caretEnd_ = 0;
  std::string restore_;
  bool modified_ = false;
  // The cursor stands at the start of a group because a typed digit completed the group
  // before it; a "." typed now belongs to that digit's group and is absorbed.
  bool jumpedOverDot_ = false;
  // Ctrl+Left/Right went to the plain field; its key-up re-forms the block cursor.
  bool wordStepPending_ = false;
  // The cell where the left button went down, 0 while it is up.
  int pressPosition_ = 0;
};
