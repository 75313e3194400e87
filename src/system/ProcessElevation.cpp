#include "ProcessElevation.h"

#include <windows.h>

#include "Win32KernelHandle.h"

bool ProcessIsElevated() {
  HANDLE raw = nullptr;
  if (!OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, &raw)) return false;
  TKernelHandle token(raw);
  TOKEN_ELEVATION elevation{};
  DWORD size = 0;
  if (!GetTokenInformation(token.Get(), TokenElevation, &elevation, sizeof(elevation), &size))
    return false;
  return elevation.TokenIsElevated != 0;
}
