#pragma once

#include <windows.h>

// Where a control of the editor stands in its panel at `dpi`: the editor's places are
// designed at 96 DPI and scale with the DPI alone, never with the panel's size.
inline RECT EditorPlace(UINT dpi, int x, int y, int width, int height) {
  auto scale = [dpi](int pixels) {
    return MulDiv(pixels, static_cast<int>(dpi), USER_DEFAULT_SCREEN_DPI);
  };
  return RECT{scale(x), scale(y), scale(x) + scale(width), scale(y) + scale(height)};
}

// Moves a control to its place.
inline void MoveTo(HWND window, const RECT& place) {
  MoveWindow(window, place.left, place.top, place.right - place.left, place.bottom - place.top,
             TRUE);
}
