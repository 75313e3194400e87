// What the benchmarks that start Ardenix and its yardsticks as programs of their own
// share: paths, a private folder per program with its store beside it, starting a
// program until its main window is visible, and closing it as the user would.
#pragma once

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <stdexcept>
#include <string>

class THandle {
 public:
  explicit THandle(HANDLE handle = nullptr) : handle_(handle) {}
  THandle(const THandle&) = delete;
  THandle& operator=(const THandle&) = delete;
  THandle(THandle&& other) noexcept : handle_(other.handle_) { other.handle_ = nullptr; }
  ~THandle() {
    if (handle_) CloseHandle(handle_);
  }
  HANDLE Get() const { return handle_; }

 private:
  HANDLE handle_;
};

// CMake hands over Unix paths in the cross build; Wine maps the Unix root to Z:.
inline std::string WindowsPath(std::string path) {
  if (!path.empty() && path[0] == '/') path = "Z:" + path;
  std::replace(path.begin(), path.end(), '/', '\\');
  return path;
}

inline std::string FileNameOf(const std::string& path) {
  const auto slash = path.find_last_of("\\/:");
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

inline std::string ReplaceExtension(const std::string& path, const char* extension) {
  const auto dot = path.find_last_of(".\\:");
  std::string stem = (dot != std::string::npos && path[dot] == '.') ? path.substr(0, dot) : path;
  return stem + extension;
}

inline std::string MakeFolder(const std::string& name) {
  char temp[MAX_PATH];
  if (!GetTempPathA(MAX_PATH, temp)) throw std::runtime_error("no temporary folder");
  std::string folder = std::string(temp) + name;
  CreateDirectoryA(folder.c_str(), nullptr);
  return folder + "\\";
}

// In caption order, as Ardenix saves its store (every store it has closed once), or in
// reverse, so that the list has real sorting to do (a store put together by hand).
inline void WriteStore(const std::string& path, int profiles, bool reversed) {
  std::string text;
  text.reserve(static_cast<size_t>(profiles) * 200);
  char section[64];
  for (int i = 0; i < profiles; ++i) {
    std::snprintf(section, sizeof section, "[Profile %05d]\r\n", reversed ? profiles - i : i + 1);
    text += section;
    text += "LAN=Local Area Connection\r\nDHCP=";
    text += (i % 3 == 0) ? "1\r\n" : "0\r\n";
    text +=
        "IP=10 .0  .0  .5  \r\nSN=255.255.255.0  \r\nDG=10 .0  .0  .1  \r\n"
        "DNS=10 .0  .0  .1  \r\nADNS=   .   .   .   \r\nWINS=   .   .   .   \r\n";
  }
  DeleteFileA(path.c_str());
  if (profiles == 0) return;
  std::ofstream file(path, std::ios::binary);
  file << text;
  if (!file) throw std::runtime_error("cannot write " + path);
}

struct TWindowSearch {
  DWORD processId;
  HWND found;
};

inline BOOL CALLBACK FindVisibleWindow(HWND window, LPARAM parameter) {
  auto* search = reinterpret_cast<TWindowSearch*>(parameter);
  DWORD owner = 0;
  GetWindowThreadProcessId(window, &owner);
  if (owner != search->processId || !IsWindowVisible(window)) return TRUE;
  if (!(GetWindowLongA(window, GWL_STYLE) & WS_CAPTION)) return TRUE;
  search->found = window;
  return FALSE;
}

struct TStartedProgram {
  THandle process;
  THandle thread;
  HWND mainWindow;
};

// Starts the program shown normally and returns once its message loop is idle and its
// captioned main window visible.
inline TStartedProgram StartProgram(const std::string& program) {
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESHOWWINDOW;
  startup.wShowWindow = SW_SHOWNORMAL;
  PROCESS_INFORMATION info{};
  std::string commandLine = "\"" + program + "\"";
  if (!CreateProcessA(program.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                      nullptr, &startup, &info))
    throw std::runtime_error("cannot start " + program);
  TStartedProgram started{THandle(info.hProcess), THandle(info.hThread), nullptr};
  WaitForInputIdle(started.process.Get(), 60000);
  TWindowSearch search{info.dwProcessId, nullptr};
  for (int tries = 0; tries < 60000 && !search.found; ++tries) {
    EnumWindows(FindVisibleWindow, reinterpret_cast<LPARAM>(&search));
    if (!search.found) Sleep(1);
  }
  if (!search.found) throw std::runtime_error(program + " showed no window");
  started.mainWindow = search.found;
  return started;
}

// Closes the program as the user does (WM_CLOSE to its main window) and waits for its end.
inline void CloseProgram(const TStartedProgram& started, const std::string& program) {
  PostMessageA(started.mainWindow, WM_CLOSE, 0, 0);
  if (WaitForSingleObject(started.process.Get(), 60000) != WAIT_OBJECT_0) {
    TerminateProcess(started.process.Get(), 1);
    throw std::runtime_error(program + " did not end after WM_CLOSE");
  }
}
