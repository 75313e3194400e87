#include "WinControl.h"

HWND TWinControl::WindowHandle() {
  if (!HandleAllocated()) {
    TCreateParams params;
    CreateParams(params);
    CreateWindowHandle(params);
    WindowCreated();
  }
  return Handle();
}
