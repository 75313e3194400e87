#include "Window.h"

#include <stdexcept>

#include "Application.h"

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

LRESULT CALLBACK TWindow::WindowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  TWindow* self = nullptr;
  if (message == WM_NCCREATE) {
    self = static_cast<TWindow*>(reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams);
    SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    self->handle_ = window;
  } else {
    self = FromHandle(window);
  }
  if (!self) return DefWindowProcA(window, message, wParam, lParam);
  LRESULT result = self->Dispatch(message, wParam, lParam);
  if (message == WM_NCDESTROY) {
    SetWindowLongPtrA(window, GWLP_USERDATA, 0);
    self->handle_ = nullptr;
  }
  return result;
}

// The boundary between the system and our handlers: nothing unwinds past it.
LRESULT TWindow::Dispatch(UINT message, WPARAM wParam, LPARAM lParam) {
  try {
    return HandleMessage(message, wParam, lParam);
  } catch (const std::exception& error) {
    ShowHandlerError(error.what());
  } catch (...) {
    ShowHandlerError("Unexpected error");
  }
  return 0;
}

void ShowHandlerError(const char* text) {
  try {
    if (Application) {
      Application->ShowErrorText(text);
    } else {
      MessageBoxA(nullptr, text, "", MB_ICONERROR | MB_OK);
    }
  } catch (...) {
    // The error box itself failed (out of memory): nothing more can be shown.
  }
}
