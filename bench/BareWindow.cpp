// The yardstick of the start-up benchmark: the least Win32 program with one visible
// top-level window and a message loop, closed by WM_CLOSE like Ardenix.
#include <windows.h>

#include "YardstickWindow.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int showCommand) {
  if (!RegisterYardstickClass(instance, "BareWindow")) return 1;
  HWND window = CreateWindowExA(0, "BareWindow", "Bare window", WS_OVERLAPPEDWINDOW, 372, 266,
                                440, 411, nullptr, nullptr, instance, nullptr);
  if (!window) return 1;
  ShowWindow(window, showCommand);
  MSG message;
  while (GetMessageA(&message, nullptr, 0, 0) > 0) {
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
  return 0;
}
