// Reads, from outside, the texts a running Ardenix shows, for the scripts that drive the
// real program under Wine. Prints one "key=value" a line and exits with 0:
//   status=TEXT    the status bar's second part (the adapter's state or the last report)
//                  of each top-level window titled as the first argument ("Ardenix 1.01")
//   balloon=TEXT   the text of each balloon the notification area shows now
// The status bar belongs to another process: its text is fetched into memory lent in
// that process (the control writes where the message points). Wine draws the notification
// area's balloons as balloon-styled tooltip windows of its own process; a tooltip answers
// WM_GETTEXT with the text it shows, which the system carries across processes.
#include <windows.h>

#include <commctrl.h>

#include <cstdio>
#include <string>
#include <vector>

#include "Win32KernelHandle.h"

namespace {

// Memory lent inside another process for a control to write into; given back on
// destruction.
class TRemoteBuffer {
 public:
  TRemoteBuffer(HANDLE process, SIZE_T size)
      : process_(process),
        size_(size),
        address_(VirtualAllocEx(process, nullptr, size, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE)) {
  }
  ~TRemoteBuffer() {
    if (address_) VirtualFreeEx(process_, address_, 0, MEM_RELEASE);
  }
  TRemoteBuffer(const TRemoteBuffer&) = delete;
  TRemoteBuffer& operator=(const TRemoteBuffer&) = delete;

  void* Address() const { return address_; }
  // The bytes there up to the first zero, at most the buffer's size.
  std::string Text() const {
    std::vector<char> local(size_ + 1, '\0');
    if (!address_ || !ReadProcessMemory(process_, address_, local.data(), size_, nullptr))
      return {};
    return local.data();
  }

 private:
  HANDLE process_;
  SIZE_T size_;
  void* address_;
};

TKernelHandle ProcessOf(HWND window) {
  DWORD id = 0;
  GetWindowThreadProcessId(window, &id);
  return TKernelHandle(
      OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_QUERY_INFORMATION, FALSE, id));
}

constexpr SIZE_T kTextRoom = 4096;

std::string StatusPartText(HWND statusBar, int part) {
  const TKernelHandle process = ProcessOf(statusBar);
  if (!process) return "(cannot open the window's process)";
  const TRemoteBuffer text(process.Get(), kTextRoom);
  DWORD_PTR answer = 0;
  if (!SendMessageTimeoutA(statusBar, SB_GETTEXTA, part, reinterpret_cast<LPARAM>(text.Address()),
                           SMTO_ABORTIFHUNG, 5000, &answer))
    return "(the status bar does not answer)";
  return text.Text();
}

std::string WindowText(HWND window) {
  char text[kTextRoom] = {};
  DWORD_PTR copied = 0;
  SendMessageTimeoutA(window, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text),
                      SMTO_ABORTIFHUNG, 5000, &copied);
  return text;
}

std::string ClassOf(HWND window) {
  char name[256] = {};
  GetClassNameA(window, name, sizeof name);
  return name;
}

struct TSearch {
  std::string title;
  std::vector<std::string> lines;
};

BOOL CALLBACK EachTopLevel(HWND window, LPARAM context) {
  TSearch& search = *reinterpret_cast<TSearch*>(context);
  if (!IsWindowVisible(window)) return TRUE;
  const std::string kind = ClassOf(window);
  if (kind == TOOLTIPS_CLASSA && (GetWindowLongA(window, GWL_STYLE) & TTS_BALLOON)) {
    search.lines.push_back("balloon=" + WindowText(window));
  } else if (WindowText(window) == search.title) {
    if (HWND bar = FindWindowExA(window, nullptr, STATUSCLASSNAMEA, nullptr))
      search.lines.push_back("status=" + StatusPartText(bar, 1));
  }
  return TRUE;
}

}  // namespace

int main(int argc, char** argv) {
  TSearch search{argc > 1 ? argv[1] : "Ardenix 1.01", {}};
  EnumWindows(EachTopLevel, reinterpret_cast<LPARAM>(&search));
  for (const std::string& line : search.lines) std::printf("%s\n", line.c_str());
  return 0;
}
