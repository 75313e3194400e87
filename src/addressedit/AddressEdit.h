#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <string_view>

#include "AddressEditRules.h"
#include "Handle.h"

// The masked IPv4 address field: a single-line EDIT control whose keyboard, character,
// mouse, focus and clipboard messages are taken over and handed to TAddressEditRules.
// The control shows the rules' state: the text, and the cursor as a one-character
// selection with the caret at its left end (the block cursor). Refused input beeps.
//
// The field is a child window of its parent and is destroyed with it, or with this object,
// whichever comes first. It keeps `this` in the control's GWLP_USERDATA, so it is neither
// copyable nor movable.
class TAddressEdit {
 public:
  static constexpr int kHeight = 21;          // at 96 dots per inch
  static constexpr int kFontCharHeight = 11;  // Tahoma 8 pt at 96 dots per inch
  static constexpr std::string_view kAddressMask = "999.999.999.999;1; ";

  // Creates the field at (x, y), width wide and kHeight high (scaled by dpi), in font
  // Tahoma 8 pt. dpi 0: the parent's screen resolution. Throws std::runtime_error when the
  // system refuses the window.
  TAddressEdit(HWND parent, int controlId, int x = 0, int y = 0, int width = 0, UINT dpi = 0);
  ~TAddressEdit();
  TAddressEdit(const TAddressEdit&) = delete;
  TAddressEdit& operator=(const TAddressEdit&) = delete;

  HWND Handle() const { return handle_; }

  // The 15-character masked text, e.g. "192.168.1  .1  ".
  std::string Text() const { return rules_.Text(); }
  // Places any text into the template (see TAddressEditRules::SetText).
  void SetText(std::string_view text);

  std::string EditMask() const { return std::string(kAddressMask); }
  // This field knows one mask, the address mask; any other throws std::invalid_argument.
  // Setting it re-applies the template and the length limit.
  void SetEditMask(std::string_view mask);

  // The font for another resolution (the window moved to another monitor); the caller
  // places and sizes the field.
  void SetDpi(UINT dpi);

  bool Enabled() const;
  void SetEnabled(bool enabled);

  // The beep for refused input; MessageBeep(MB_OK) unless replaced (tests count beeps).
  void SetBeep(std::function<void()> beep) { beep_ = std::move(beep); }

  const TAddressEditRules& Rules() const { return rules_; }

 private:
  using Handler = LRESULT (TAddressEdit::*)(WPARAM, LPARAM);
  struct TMessageEntry {
    UINT message;
    Handler handler;
  };
  static const TMessageEntry kMessageTable[];

  static LRESULT CALLBACK SubclassProcedure(HWND window, UINT message, WPARAM wParam,
                                            LPARAM lParam);
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT CallOriginal(UINT message, WPARAM wParam, LPARAM lParam);

  LRESULT OnKeyDown(WPARAM wParam, LPARAM lParam);
  LRESULT OnKeyUp(WPARAM wParam, LPARAM lParam);
  LRESULT OnChar(WPARAM wParam, LPARAM lParam);
  LRESULT OnButtonDown(WPARAM wParam, LPARAM lParam);
  LRESULT OnMouseMove(WPARAM wParam, LPARAM lParam);
  LRESULT OnButtonUp(WPARAM wParam, LPARAM lParam);
  LRESULT OnSetFocus(WPARAM wParam, LPARAM lParam);
  LRESULT OnKillFocus(WPARAM wParam, LPARAM lParam);
  LRESULT OnCut(WPARAM wParam, LPARAM lParam);
  LRESULT OnCopy(WPARAM wParam, LPARAM lParam);
  LRESULT OnPaste(WPARAM wParam, LPARAM lParam);
  LRESULT OnClear(WPARAM wParam, LPARAM lParam);
  LRESULT OnSetText(WPARAM wParam, LPARAM lParam);
  LRESULT OnGetDlgCode(WPARAM wParam, LPARAM lParam);
  LRESULT OnUndo(WPARAM wParam, LPARAM lParam);
  LRESULT OnNcDestroy(WPARAM wParam, LPARAM lParam);

  // Brings the rules' selection up to date with what the control shows, when something
  // else (the control's own key handling, a foreign EM_SETSEL) has moved it.
  void SyncFromControl();
  // Shows the rules' state and acts on a result: beep, clipboard, command.
  void Show(const TAddressEditResult& result = {});
  void RunCommand(TClipboardCommand command);
  // The character cell (1 to 15, 16 right of the text) under a client x coordinate.
  int PositionAt(int x) const;
  void Detach();

  HWND handle_ = nullptr;
  WNDPROC original_ = nullptr;
  FontHandle font_;
  TAddressEditRules rules_;
  std::function<void()> beep_;
  bool focusByMouse_ = false;
};
