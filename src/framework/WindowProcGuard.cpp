#include "WindowProcGuard.h"

#include "Application.h"

void ShowHandlerError(const char* text) noexcept {
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
