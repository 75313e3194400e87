// What the start-up benchmark's yardstick programs share: a top-level window class whose
// window ends the program when it is destroyed (WM_CLOSE, as Ardenix is closed).
#pragma once

#include <windows.h>

inline LRESULT CALLBACK QuitOnDestroyProc(HWND window, UINT message, WPARAM wParam,
                                          LPARAM lParam) {
  if (message == WM_DESTROY) {
    PostQuitMessage(0);
    return 0;
  }
  return DefWindowProcA(window, message, wParam, lParam);
}

inline bool RegisterYardstickClass(HINSTANCE instance, const char* name) {
  WNDCLASSA windowClass{};
  windowClass.lpfnWndProc = QuitOnDestroyProc;
  windowClass.hInstance = instance;
  windowClass.hCursor = LoadCursor(nullptr, IDC_ARROW);
  windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  windowClass.lpszClassName = name;
  return RegisterClassA(&windowClass) != 0;
}
