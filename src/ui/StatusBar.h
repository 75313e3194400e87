#pragma once

#include <windows.h>

#include <string>

// The main window's status bar: the first part carries the program's line, the second the
// adapter's state, the last apply's report or where the last batch file went. A text longer than its part shows whole as
// the part's tooltip. A child of the window: destroyed with it.
class TStatusBar {
 public:
  TStatusBar(HWND parent, int id, int dpi);
  TStatusBar(const TStatusBar&) = delete;
  TStatusBar& operator=(const TStatusBar&) = delete;

  HWND Handle() const { return window_; }
  void ShowAdapterText(const std::string& text);
  // The parts' widths for a new screen scale.
  void SetDpi(int dpi);

 private:
  HWND window_ = nullptr;
};
