// Start-up benchmark: how long Ardenix.exe takes from CreateProcess until its main window
// is visible and its message loop idle, with a store of 0, 1,000 and 10,000 profiles
// beside it, next to a bare Win32 window program started the same way in the same run.
//
//   bench_startup [Ardenix.exe [bench_bare_window.exe [runs]]]
//
// Each program is copied into a folder of its own under the temporary folder (the store
// lies beside the executable), started `runs` times (default 7), and closed by posting
// WM_CLOSE to its main window. The store is written anew before every run, since
// closing Ardenix rewrites it. Prints the median and fastest start and the peak working
// set, and the ratios of the medians to the bare window's.
#include <windows.h>
#include <psapi.h>

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

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
std::string WindowsPath(std::string path) {
  if (!path.empty() && path[0] == '/') path = "Z:" + path;
  std::replace(path.begin(), path.end(), '/', '\\');
  return path;
}

std::string FileNameOf(const std::string& path) {
  const auto slash = path.find_last_of("\\/:");
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

std::string ReplaceExtension(const std::string& path, const char* extension) {
  const auto dot = path.find_last_of(".\\:");
  std::string stem = (dot != std::string::npos && path[dot] == '.') ? path.substr(0, dot) : path;
  return stem + extension;
}

std::string MakeFolder(const std::string& name) {
  char temp[MAX_PATH];
  if (!GetTempPathA(MAX_PATH, temp)) throw std::runtime_error("no temporary folder");
  std::string folder = std::string(temp) + name;
  CreateDirectoryA(folder.c_str(), nullptr);
  return folder + "\\";
}

void WriteStore(const std::string& path, int profiles) {
  std::string text;
  text.reserve(static_cast<size_t>(profiles) * 200);
  char section[64];
  for (int i = 0; i < profiles; ++i) {
    // Reverse order, so that the list has real sorting to do.
    std::snprintf(section, sizeof section, "[Profile %05d]\r\n", profiles - i);
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

BOOL CALLBACK FindVisibleWindow(HWND window, LPARAM parameter) {
  auto* search = reinterpret_cast<TWindowSearch*>(parameter);
  DWORD owner = 0;
  GetWindowThreadProcessId(window, &owner);
  if (owner != search->processId || !IsWindowVisible(window)) return TRUE;
  if (!(GetWindowLongA(window, GWL_STYLE) & WS_CAPTION)) return TRUE;
  search->found = window;
  return FALSE;
}

struct TRun {
  double milliseconds;
  SIZE_T peakWorkingSet;
};

TRun StartAndClose(const std::string& program) {
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESHOWWINDOW;
  startup.wShowWindow = SW_SHOWNORMAL;
  PROCESS_INFORMATION info{};
  std::string commandLine = "\"" + program + "\"";
  LARGE_INTEGER frequency, start, end;
  QueryPerformanceFrequency(&frequency);
  QueryPerformanceCounter(&start);
  if (!CreateProcessA(program.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                      nullptr, &startup, &info))
    throw std::runtime_error("cannot start " + program);
  THandle process(info.hProcess);
  THandle thread(info.hThread);
  WaitForInputIdle(process.Get(), 60000);
  TWindowSearch search{info.dwProcessId, nullptr};
  for (int tries = 0; tries < 60000 && !search.found; ++tries) {
    EnumWindows(FindVisibleWindow, reinterpret_cast<LPARAM>(&search));
    if (!search.found) Sleep(1);
  }
  QueryPerformanceCounter(&end);
  if (!search.found) throw std::runtime_error(program + " showed no window");
  PROCESS_MEMORY_COUNTERS memory{};
  memory.cb = sizeof memory;
  GetProcessMemoryInfo(process.Get(), &memory, sizeof memory);
  PostMessageA(search.found, WM_CLOSE, 0, 0);
  if (WaitForSingleObject(process.Get(), 60000) != WAIT_OBJECT_0) {
    TerminateProcess(process.Get(), 1);
    throw std::runtime_error(program + " did not end after WM_CLOSE");
  }
  const double ms = 1000.0 * static_cast<double>(end.QuadPart - start.QuadPart) /
                    static_cast<double>(frequency.QuadPart);
  return {ms, memory.PeakWorkingSetSize};
}

struct TFigures {
  std::string name;
  double median;
  double fastest;
  SIZE_T peakWorkingSet;
};

// Copies the program into its own folder and starts it `runs` times; `profiles` < 0
// means no store is involved (the bare window).
TFigures Measure(const std::string& source, const std::string& name, int profiles, int runs) {
  const std::string folder = MakeFolder("ardenix-bench-" + name);
  const std::string program = folder + FileNameOf(source);
  if (!CopyFileA(source.c_str(), program.c_str(), FALSE))
    throw std::runtime_error("cannot copy " + source);
  std::vector<double> times;
  SIZE_T peak = 0;
  StartAndClose(program);  // warm-up: loads the system's libraries into the cache
  for (int run = 0; run < runs; ++run) {
    if (profiles >= 0) WriteStore(ReplaceExtension(program, ".INI"), profiles);
    const TRun result = StartAndClose(program);
    times.push_back(result.milliseconds);
    peak = std::max(peak, result.peakWorkingSet);
  }
  std::sort(times.begin(), times.end());
  if (profiles >= 0) DeleteFileA(ReplaceExtension(program, ".INI").c_str());
  DeleteFileA(program.c_str());
  RemoveDirectoryA(folder.substr(0, folder.size() - 1).c_str());
  return {name, times[times.size() / 2], times.front(), peak};
}

}  // namespace

int main(int argc, char** argv) {
  try {
    const std::string ardenix = WindowsPath(argc > 1 ? argv[1] : ARDENIX_EXE);
    const std::string bare = WindowsPath(argc > 2 ? argv[2] : BARE_WINDOW_EXE);
    const int runs = argc > 3 ? std::max(1, std::atoi(argv[3])) : 7;

    std::vector<TFigures> figures;
    figures.push_back(Measure(bare, "bare-window", -1, runs));
    for (int profiles : {0, 1000, 10000})
      figures.push_back(Measure(ardenix, "ardenix-" + std::to_string(profiles), profiles, runs));

    const TFigures& base = figures.front();
    std::printf("start-up until the main window is visible and idle, %d runs each (median)\n\n",
                runs);
    std::printf("%-22s %10s %10s %14s %10s %10s\n", "program", "median ms", "fastest ms",
                "peak WS KiB", "time x", "memory x");
    for (const TFigures& f : figures) {
      std::printf("%-22s %10.1f %10.1f %14zu %10.2f %10.2f\n", f.name.c_str(), f.median, f.fastest,
                  static_cast<size_t>(f.peakWorkingSet / 1024), f.median / base.median,
                  static_cast<double>(f.peakWorkingSet) /
                      static_cast<double>(std::max<SIZE_T>(base.peakWorkingSet, 1)));
    }
    const double ratio = figures.back().median / base.median;
    std::printf("\n10,000 profiles: %.2fx the bare window's start (target: at most 2x): %s\n", ratio,
                ratio <= 2.0 ? "met" : "NOT met");
    return 0;
  } catch (const std::exception& error) {
    std::fprintf(stderr, "bench_startup: %s\n", error.what());
    return 1;
  }
}
