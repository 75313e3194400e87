#pragma once

#include <windows.h>

#include <commctrl.h>

#include <functional>

#include "Message.h"

// Draws the images of a shown menu through the window that owns it, the application
// window. Each item with an image carries HBMMENU_CALLBACK as its bitmap and the image's
// index as its item data; the system asks the owner for the image's size
// (WM_MEASUREITEM, the image list's size) and has it draw the image (WM_DRAWITEM) onto
// the item as already painted, normal or highlighted, so that the list's mask keeps that
// background around the picture. A 32-bit bitmap with alpha given to the item instead is
// not blended everywhere: Wine copies it, and its transparent pixels show black.
//
// Hooks the application window from construction to destruction; a painter made while
// there is no application answers nothing. `images` is asked at every message: it gives
// null once the list or the menu has gone.
class TMenuImagePainter {
 public:
  using TImages = std::function<HIMAGELIST()>;

  TMenuImagePainter(HMENU menu, TImages images);
  ~TMenuImagePainter();
  TMenuImagePainter(const TMenuImagePainter&) = delete;
  TMenuImagePainter& operator=(const TMenuImagePainter&) = delete;

 private:
  static bool Hooked(void* painter, TMessage& message);
  // Answers WM_MEASUREITEM and WM_DRAWITEM for the images of `menu`'s items; false for
  // anything else.
  bool Answer(TMessage& message) const;
  bool IsImageItem(UINT id) const;
  bool Measure(MEASUREITEMSTRUCT& item) const;
  bool Draw(const DRAWITEMSTRUCT& item) const;

  HMENU menu_;
  TImages images_;
  bool hooked_ = false;
};
