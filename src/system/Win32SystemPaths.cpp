#include "Win32SystemPaths.h"

#include <windows.h>

std::string TWin32SystemPaths::ExecutablePath() {
  // GetModuleFileName does not say how long the path is: grow until it fits.
  std::string path(MAX_PATH, '\0');
  for (;;) {
    DWORD length = GetModuleFileNameA(nullptr, path.data(), static_cast<DWORD>(path.size()));
    if (length == 0) return {};
    if (length < path.size()) {
      path.resize(length);
      return path;
    }
    path.resize(path.size() * 2);
  }
}

std::string TWin32SystemPaths::SystemDirectory() {
  UINT needed = GetSystemDirectoryA(nullptr, 0);
  if (needed == 0) return {};
  std::string directory(needed, '\0');
  UINT length = GetSystemDirectoryA(directory.data(), needed);
  if (length == 0 || length >= needed) return {};
  directory.resize(length);
  return directory;
}
