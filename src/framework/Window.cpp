#include "Window.h"

#include <stdexcept>

#include "WindowProcGuard.h"

namespace {

HINSTANCE ExecutableInstance() {
  return GetModuleHandleA(nullptr);
}

void RegisterClassOnce(const TCreateParams& params, HINSTANCE instance, WNDPROC procedure) {
  WNDCLASSEXA existing{};
  existing.cbSize = sizeof existing;
  if (GetClassInfoExA(instance, params.ClassName.c_str(), &existing)) return;
  WNDCLASSEXA windowClass{};
  windowClass.cbSize = sizeof windowClass;
  windowClass.style = params.ClassStyle;
  windowClass.lpfnWndProc = procedure;
  windowClass.hInstance = instance;
  windowClass.hIcon = params.Icon;
  windowClass.hIconSm = params.SmallIcon;
  windowClass.hCursor = params.Cursor ? params.Cursor : LoadCursor(nullptr, IDC_ARROW);
  windowClass.hbrBackground = params.Background;
  windowClass.lpszClassName = params.ClassName.c_str();
  if (!RegisterClassExA(&windowClass)) {
    throw std::runtime_error("Cannot register the window class " + params.ClassName);
  }
}

}  // namespace

TWindow::~TWindow() {
  DestroyWindowHandle();
}

TWindow* TWindow::FromHandle(HWND handle) {
  if (!handle) return nullptr;
  return reinterpret_cast<TWindow*>(GetWindowLongPtrA(handle, GWLP_USERDATA));
}

void TWindow::CreateWindowHandle(const TCreateParams& params) {
  if (handle_) return;
  HINSTANCE instance = params.Instance ? params.Instance : ExecutableInstance();
  RegisterClassOnce(params, instance, &TWindow::WindowProcedure);
  HWND created = CreateWindowExA(params.ExStyle, params.ClassName.c_str(), params.Caption.c_str(),
                                 params.Style, params.X, params.Y, params.Width, params.Height,
                                 params.Parent, params.Menu, instance, this);
  if (!created) throw std::runtime_error("Cannot create a window of class " + params.ClassName);
}

void TWindow::DestroyWindowHandle() {
  if (handle_) DestroyWindow(handle_);
  handle_ = nullptr;
}

LRESULT TWindow::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  return DefaultHandler(message, wParam, lParam);
}

LRESULT TWindow::DefaultHandler(UINT message, WPARAM wParam, LPARAM lParam) {
  return DefWindowProcA(handle_, message, wParam, lParam);
}

// Creation's first message ties the object to the handle; every message then goes to
// the object's handler through the guard, so nothing unwinds into the system. The
// handler has its own guard so that the object lets go of the handle at WM_NCDESTROY
// even when that handler throws.
LRESULT CALLBACK TWindow::WindowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  return GuardWindowProc([&]() -> LRESULT {
    TWindow* self = nullptr;
    if (message == WM_NCCREATE) {
      self = static_cast<TWindow*>(reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams);
      SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
      self->handle_ = window;
    } else {
      self = FromHandle(window);
    }
    if (!self) return DefWindowProcA(window, message, wParam, lParam);
    const LRESULT result =
        GuardWindowProc([&] { return self->HandleMessage(message, wParam, lParam); });
    if (message == WM_NCDESTROY) {
      SetWindowLongPtrA(window, GWLP_USERDATA, 0);
      self->handle_ = nullptr;
    }
    return result;
  });
}
