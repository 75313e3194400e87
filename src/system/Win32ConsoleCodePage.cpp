#include "Win32ConsoleCodePage.h"

#include <windows.h>

#include <string>

std::optional<std::string> TWin32ConsoleCodePage::FromAnsi(std::string_view ansi) {
  if (ansi.empty()) return std::string();
  const int length = static_cast<int>(ansi.size());
  const int wideLength =
      MultiByteToWideChar(CP_ACP, MB_ERR_INVALID_CHARS, ansi.data(), length, nullptr, 0);
  if (wideLength <= 0) return std::nullopt;
  std::wstring wide(static_cast<size_t>(wideLength), L'\0');
  MultiByteToWideChar(CP_ACP, MB_ERR_INVALID_CHARS, ansi.data(), length, wide.data(), wideLength);

  BOOL usedDefault = FALSE;
  const int oemLength = WideCharToMultiByte(CP_OEMCP, WC_NO_BEST_FIT_CHARS, wide.data(),
                                            wideLength, nullptr, 0, nullptr, &usedDefault);
  if (oemLength <= 0 || usedDefault) return std::nullopt;
  std::string oem(static_cast<size_t>(oemLength), '\0');
  WideCharToMultiByte(CP_OEMCP, WC_NO_BEST_FIT_CHARS, wide.data(), wideLength, oem.data(),
                      oemLength, nullptr, &usedDefault);
  if (usedDefault) return std::nullopt;
  return oem;
}
