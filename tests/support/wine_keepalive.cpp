// Keeps one Wine session (wineserver, explorer.exe and its notification area) alive
// for the duration of a test run, so that each test program starts in milliseconds.
// Writes the file named by its argument once its window exists; ends by itself after
// three hours in case nobody stops it.
#include <windows.h>

#include <cstdio>

namespace {

constexpr UINT_PTR kLifetimeTimer = 1;
constexpr UINT kLifetimeMs = 3 * 60 * 60 * 1000;

LRESULT CALLBACK KeepAliveProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_TIMER || message == WM_CLOSE) {
    PostQuitMessage(0);
    return 0;
  }
  return DefWindowProcA(window, message, wParam, lParam);
}

}  // namespace

int main(int argc, char** argv) {
  WNDCLASSA windowClass{};
  windowClass.lpfnWndProc = KeepAliveProc;
  windowClass.hInstance = GetModuleHandleA(nullptr);
  windowClass.lpszClassName = "ArdenixWineKeepAlive";
  RegisterClassA(&windowClass);
  HWND window = CreateWindowExA(WS_EX_TOOLWINDOW, windowClass.lpszClassName, "", WS_POPUP, 0, 0, 0,
                                0, nullptr, nullptr, windowClass.hInstance, nullptr);
  if (!window) return 1;
  SetTimer(window, kLifetimeTimer, kLifetimeMs, nullptr);
  if (argc > 1) {
    if (FILE* ready = std::fopen(argv[1], "w")) {
      std::fputs("ready\n", ready);
      std::fclose(ready);
    }
  }
  MSG message;
  while (GetMessageA(&message, nullptr, 0, 0) > 0) {
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
  return 0;
}
