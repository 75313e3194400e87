#include "ConsoleOutput.h"

#include <windows.h>

#include <algorithm>
#include <string>

namespace {

DWORD StandardHandleId(TStandardStream stream) {
  return stream == TStandardStream::Output ? STD_OUTPUT_HANDLE : STD_ERROR_HANDLE;
}

bool IsUsable(HANDLE handle) {
  return handle && handle != INVALID_HANDLE_VALUE && GetFileType(handle) != FILE_TYPE_UNKNOWN;
}

// The parent's console, attached at the first need and kept for the process's life
// (both streams then go to its screen). Null when there is none to attach to.
HANDLE ParentConsole() {
  static const HANDLE console = [] {
    if (!AttachConsole(ATTACH_PARENT_PROCESS)) return HANDLE{};
    HANDLE screen = CreateFileA("CONOUT$", GENERIC_READ | GENERIC_WRITE, FILE_SHARE_WRITE, nullptr,
                                OPEN_EXISTING, 0, nullptr);
    return screen == INVALID_HANDLE_VALUE ? HANDLE{} : screen;
  }();
  return console;
}

HANDLE TargetOf(TStandardStream stream) {
  HANDLE handle = GetStdHandle(StandardHandleId(stream));
  return IsUsable(handle) ? handle : ParentConsole();
}

// A console shows text in its own code page, which is seldom the ANSI one our texts are
// in ("Büro" would show as "Bnro" in code page 437): it is given wide characters.
bool WriteToConsole(HANDLE console, std::string_view line) {
  const int length = MultiByteToWideChar(CP_ACP, 0, line.data(), static_cast<int>(line.size()),
                                         nullptr, 0);
  if (length <= 0) return line.empty();
  std::wstring wide(static_cast<size_t>(length), L'\0');
  MultiByteToWideChar(CP_ACP, 0, line.data(), static_cast<int>(line.size()), wide.data(), length);
  std::wstring_view rest = wide;
  while (!rest.empty()) {
    DWORD written = 0;
    const DWORD chunk = static_cast<DWORD>(std::min<size_t>(rest.size(), 16 * 1024));
    if (!WriteConsoleW(console, rest.data(), chunk, &written, nullptr) || written == 0) return false;
    rest.remove_prefix(written);
  }
  return true;
}

// A file or a pipe gets the ANSI code page's bytes, as the program holds them.
bool WriteBytes(HANDLE target, std::string_view rest) {
  while (!rest.empty()) {
    DWORD written = 0;
    const DWORD chunk = static_cast<DWORD>(std::min<size_t>(rest.size(), 64 * 1024));
    if (!WriteFile(target, rest.data(), chunk, &written, nullptr) || written == 0) return false;
    rest.remove_prefix(written);
  }
  return true;
}

}  // namespace

bool WriteLine(TStandardStream stream, std::string_view text) {
  std::string line(text);
  line += "\r\n";
  HANDLE target = TargetOf(stream);
  if (!target) return false;
  DWORD mode = 0;
  return GetConsoleMode(target, &mode) ? WriteToConsole(target, line) : WriteBytes(target, line);
}
