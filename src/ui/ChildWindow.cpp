#include "ChildWindow.h"

#include <stdexcept>

HWND CreateChild(DWORD exStyle, const char* className, const char* text, DWORD style, HWND parent,
                 int id, RECT place) {
  HWND window = CreateWindowExA(exStyle, className, text, style, place.left, place.top,
                                place.right - place.left, place.bottom - place.top, parent,
                                reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                                GetModuleHandleA(nullptr), nullptr);
  if (!window)
    throw std::runtime_error(std::string("Cannot create a control of class ") + className);
  return window;
}

std::string WindowText(HWND window) {
  std::string text(static_cast<size_t>(GetWindowTextLengthA(window)) + 1, '\0');
  text.resize(
      static_cast<size_t>(GetWindowTextA(window, text.data(), static_cast<int>(text.size()))));
  return text;
}
