#pragma once

#include <windows.h>

#include <string>

// How a window class is registered and a window created. The class is registered the
// first time a window asks for it (per module); later windows reuse it.
struct TCreateParams {
  std::string ClassName;
  UINT ClassStyle = 0;
  HCURSOR Cursor = nullptr;  // null: the arrow
  HBRUSH Background = nullptr;
  HICON Icon = nullptr;
  HICON SmallIcon = nullptr;

  std::string Caption;
  DWORD Style = 0;
  DWORD ExStyle = 0;
  int X = CW_USEDEFAULT;
  int Y = CW_USEDEFAULT;
  int Width = CW_USEDEFAULT;
  int Height = CW_USEDEFAULT;
  HWND Parent = nullptr;         // parent of a child window, owner of a top-level one
  HMENU Menu = nullptr;          // menu, or the control identifier of a child window
  HINSTANCE Instance = nullptr;  // null: the executable
};

// Base of every window of ours. Creation passes `this` in lpCreateParams; WM_NCCREATE
// stores it in GWLP_USERDATA and every later message goes to HandleMessage. An error
// thrown by a handler stops at the window procedure (GuardWindowProc): it is shown in the
// error box and the message gets result 0. The window is destroyed with the object.
//
// Messages that arrive while a derived object is being destroyed reach only the base
// handling; a derived window that needs WM_DESTROY calls DestroyWindowHandle() in its
// own destructor.
class TWindow {
 public:
  TWindow() = default;
  virtual ~TWindow();
  TWindow(const TWindow&) = delete;
  TWindow& operator=(const TWindow&) = delete;

  HWND Handle() const { return handle_; }
  bool HandleAllocated() const { return handle_ != nullptr; }

  // The window of ours that a handle belongs to, or null (a foreign window, or ours
  // after its object stopped listening).
  static TWindow* FromHandle(HWND handle);

 protected:
  // Registers the class when needed and creates the window; throws std::runtime_error
  // when the system refuses.
  void CreateWindowHandle(const TCreateParams& params);
  void DestroyWindowHandle();

  virtual LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
  // The system's default handling (DefWindowProcA).
  LRESULT DefaultHandler(UINT message, WPARAM wParam, LPARAM lParam);

 private:
  static LRESULT CALLBACK WindowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

  HWND handle_ = nullptr;
};
