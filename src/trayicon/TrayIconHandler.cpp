#include "TrayIconHandler.h"

#include <shlwapi.h>

#include <algorithm>
#include <iterator>
#include <stdexcept>

#include "ShellNotify.h"
#include "SystemLibrary.h"
#include "TrayArithmetic.h"
#include "TrayIcon.h"

TSharedHandlerSlot<TTrayIconHandler> SharedTrayHandler;

namespace {

// The common-controls library sends "TaskbarCreated" from version 4.71 on. It is loaded
// from the system folder only: a planted comctl32.dll beside the program is never run.
UINT RegisterTaskbarRestart() {
  try {
    TSystemLibrary comctl("comctl32.dll");
    const auto getVersion = comctl.Function<DLLGETVERSIONPROC>("DllGetVersion");
    DLLVERSIONINFO version{};
    version.cbSize = sizeof version;
    if (SUCCEEDED(getVersion(&version)) &&
        ReportsTaskbarRestart(version.dwMajorVersion, version.dwMinorVersion)) {
      return RegisterWindowMessageA("TaskbarCreated");
    }
  } catch (const std::runtime_error&) {
    // No such library or function: the icons are not re-added after a shell restart.
  }
  return 0;
}

// Messages that would close the window or end the session: answered 1, not passed on.
constexpr UINT KeptMessages[] = {WM_DESTROY, WM_CLOSE,      WM_QUERYENDSESSION,
                                 WM_QUIT,    WM_ENDSESSION, WM_NCDESTROY};

bool WindowKeepsItself(UINT message) {
  return std::find(std::begin(KeptMessages), std::end(KeptMessages), message) !=
         std::end(KeptMessages);
}

}  // namespace

TTrayIconHandler::TTrayIconHandler()
    : Window_(std::make_unique<TForwardingWindow<TTrayIconHandler>>(*this)),
      TaskbarRestartMessage_(RegisterTaskbarRestart()) {}

TTrayIconHandler::~TTrayIconHandler() = default;

HWND TTrayIconHandler::Window() const {
  return Window_->Handle();
}

UINT TTrayIconHandler::Register(TTrayIcon& icon) {
  return Icons_.Add(icon);
}

void TTrayIconHandler::Unregister(UINT shellId) {
  Icons_.Remove(shellId);
}

// The window never closes itself and never objects to the session ending.
LRESULT TTrayIconHandler::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  if (WindowKeepsItself(message)) return 1;
  if (message != WM_TRAYICONCALLBACK) return Window_->DefaultHandling(message, wParam, lParam);
  Icons_.Dispatch(static_cast<UINT>(wParam),
                  [lParam](TTrayIcon& icon) { icon.HandleCallback(static_cast<UINT>(lParam)); });
  return 0;
}

UINT TaskbarRestartMessage() {
  const TTrayIconHandler* handler = SharedTrayHandler.Get();
  return handler ? handler->TaskbarRestartMessage() : 0;
}
