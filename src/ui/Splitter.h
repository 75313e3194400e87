#pragma once

#include <windows.h>

#include <functional>

#include "Window.h"

// A thin vertical bar between two panels (Splitter1). Dragging it with the left button
// reports the position the bar's left edge should move to, in the parent's coordinates.
class TSplitter : public TWindow {
 public:
  TSplitter(HWND parent, int id);

  void SetBounds(int x, int y, int width, int height);

  std::function<void(int left)> OnMoved;

 protected:
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  int ParentX(LPARAM lParam) const;

  bool dragging_ = false;
  int grabOffset_ = 0;  // where in the bar the pointer took hold
};
