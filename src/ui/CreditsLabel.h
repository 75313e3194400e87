#pragma once

#include <windows.h>

#include <functional>
#include <string>

#include "Handle.h"
#include "Window.h"

// A label of the credits dialog: its text drawn without a background of its own on the
// dialog's colour, in its own colour and font style. A link label (one with a hint)
// keeps its target in the hint, lights up while the mouse is over it (button-face
// colour, bold and underlined), falls back to the highlight-text colour without bold
// and underline when the mouse leaves, and opens its hint when clicked. It answers its
// text to WM_GETTEXT, and WM_SETTEXT sets it.
class TCreditsLabel : public TWindow {
 public:
  struct TStyle {
    bool bold = false;
    bool underline = false;
  };

  TCreditsLabel(HWND parent, int x, int y, const std::string& text, TStyle style, COLORREF color,
                HBRUSH background);

  void SetText(const std::string& text);
  const std::string& Text() const { return text_; }
  COLORREF Color() const { return color_; }
  TStyle Style() const { return style_; }

  // The tooltip text; for a link label its target.
  std::string Hint;
  bool IsLink = false;
  std::function<void(const std::string& address)> OnOpen;

  // Re-creates the font and size for a new DPI; x and y are at 96 DPI.
  void Place(int x, int y, int dpi);

 protected:
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  void MouseEntered();
  void MouseLeft();
  void Restyle();
  void Paint();

  std::string text_;
  TStyle style_;
  COLORREF color_;
  HBRUSH background_;  // the dialog's, not owned
  int dpi_ = USER_DEFAULT_SCREEN_DPI;
  FontHandle font_;
  bool mouseInside_ = false;
};
