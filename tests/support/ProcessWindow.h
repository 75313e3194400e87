#pragma once

#include <windows.h>

#include <string>

// A top-level window of that class belonging to that process (another program under
// test), or null.
inline HWND TopLevelWindowOf(DWORD process, const std::string& className) {
  struct TSearch {
    DWORD process;
    const std::string& className;
    HWND found;
  } search{process, className, nullptr};
  EnumWindows(
      [](HWND window, LPARAM data) -> BOOL {
        auto* wanted = reinterpret_cast<TSearch*>(data);
        DWORD owner = 0;
        GetWindowThreadProcessId(window, &owner);
        char name[64] = {};
        GetClassNameA(window, name, sizeof name);
        if (owner != wanted->process || name != wanted->className) return TRUE;
        wanted->found = window;
        return FALSE;
      },
      reinterpret_cast<LPARAM>(&search));
  return search.found;
}
