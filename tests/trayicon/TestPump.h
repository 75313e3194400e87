#pragma once

#include <windows.h>

#include <functional>

// Handles this thread's messages for `milliseconds`, or until `done` answers true.
inline void PumpMessages(DWORD milliseconds, const std::function<bool()>& done = nullptr) {
  const ULONGLONG deadline = GetTickCount64() + milliseconds;
  for (;;) {
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&message);
      DispatchMessageA(&message);
    }
    if (done && done()) return;
    const ULONGLONG now = GetTickCount64();
    if (now >= deadline) return;
    MsgWaitForMultipleObjects(0, nullptr, FALSE, static_cast<DWORD>(deadline - now), QS_ALLINPUT);
  }
}
