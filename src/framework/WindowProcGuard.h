#pragma once

#include <windows.h>

#include <exception>

// The boundary between the system and our handlers. Every window procedure, subclass
// procedure and hook procedure of ours runs its work through GuardWindowProc: an error
// must never unwind through the system's frames (it would skip their clean-up, or end
// the process), so whatever is thrown stops here, is shown in the error box, and the
// system gets `fallback` as the message's result.
//
// The error box is the application's (TApplication::ShowErrorText) while an application
// object exists, otherwise a plain error message box.
void ShowHandlerError(const char* text) noexcept;

template <typename TWork>
LRESULT GuardWindowProc(TWork&& work, LRESULT fallback = 0) noexcept {
  try {
    return work();
  } catch (const std::exception& error) {
    ShowHandlerError(error.what());
  } catch (...) {
    ShowHandlerError("Unexpected error");
  }
  return fallback;
}
