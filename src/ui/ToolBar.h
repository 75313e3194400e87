#pragma once

#include <windows.h>

#include <commctrl.h>

#include <span>

// One button of the tool bar: the command it sends (WM_COMMAND), its image in the image
// list and its tooltip.
struct TToolButton {
  int command;
  int image;
  const char* toolTip;
};

// A flat tool bar of image buttons, a separator between each two, with tooltips. A child of
// the window: destroyed with it. The buttons' table must outlive the tool bar.
class TToolBar {
 public:
  TToolBar(HWND parent, int id, HIMAGELIST images, std::span<const TToolButton> buttons);
  TToolBar(const TToolBar&) = delete;
  TToolBar& operator=(const TToolBar&) = delete;

  HWND Handle() const { return window_; }
  // The image list's image size has changed (the screen's scale): the buttons take the
  // new size. The tool bar's height changes with them; the parent lays itself out again.
  void ImagesChanged();
  // Answers the tooltip control's request for a button's text; false when the request is
  // for no button of this tool bar.
  bool GiveToolTipText(NMTTDISPINFOA& info) const;

 private:
  HWND window_ = nullptr;
  std::span<const TToolButton> buttons_;
};
