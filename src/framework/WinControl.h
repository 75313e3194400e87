#pragma once

#include <windows.h>

#include "Component.h"
#include "Window.h"

// A component that is a window. Its window is created on demand, by WindowHandle(),
// from CreateParams. "The owner is a windowed control" is
// dynamic_cast<TWinControl*>(component->Owner()) != nullptr.
class TWinControl : public TComponent, public TWindow {
 public:
  explicit TWinControl(TComponent* owner) : TComponent(owner) {}

  // The window handle, creating the window first when it does not exist yet.
  HWND WindowHandle();

 protected:
  virtual void CreateParams(TCreateParams& params) = 0;
  // Called by WindowHandle() right after it has created the window.
  virtual void WindowCreated() {}
};
