#pragma once

#include <windows.h>

#include "Window.h"

// A plain child window that holds other controls (panLeft, panRight). The controls'
// notifications (WM_COMMAND, WM_NOTIFY, colour requests) go on to the panel's parent,
// so the form that owns the panel handles them as if the controls were its own.
class TPanel : public TWindow {
 public:
  TPanel(HWND parent, int id);

  void SetBounds(int x, int y, int width, int height);

 protected:
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
};
