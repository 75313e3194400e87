#pragma once

#include <windows.h>

#include <string>

// The main window's status bar: the first part carries the program's line, or, while the
// store is not as the window shows it, what is wrong with it (in a wider part); the second
// the adapter's state, the last apply's report or where the last batch file went. A text
// longer than its part shows whole as the part's tooltip. A child of the window: destroyed
// with it.
class TStatusBar {
 public:
  TStatusBar(HWND parent, int id, int dpi);
  TStatusBar(const TStatusBar&) = delete;
  TStatusBar& operator=(const TStatusBar&) = delete;

  HWND Handle() const { return window_; }
  void ShowAdapterText(const std::string& text);
  // What is wrong with the store ("Not saved: …"); empty: nothing, the program's line
  // is back.
  void ShowStoreProblem(const std::string& text);
  std::string StoreProblem() const { return storeProblem_; }
  // The parts' widths for a new screen scale.
  void SetDpi(int dpi);

 private:
  void SetParts();

  HWND window_ = nullptr;
  int dpi_ = USER_DEFAULT_SCREEN_DPI;
  std::string storeProblem_;
};
