#include "TrayIconHandler.h"

#include <shlwapi.h>

#include <algorithm>
#include <iterator>

#include "ShellNotify.h"
#include "TrayArithmetic.h"
#include "TrayIcon.h"

TSharedHandlerSlot<TTrayIconHandler> SharedTrayHandler;

namespace {

// The common-controls library sends "TaskbarCreated" from version 4.71 on.
UINT RegisterTaskbarRestart() {
  HMODULE comctl = LoadLibraryA("comctl32.dll");
  if (!comctl) return 0;
  UINT message = 0;
  auto getVersion = reinterpret_cast<DLLGETVERSIONPROC>(
      reinterpret_cast<void*>(GetProcAddress(comctl, "DllGetVersion")));
  DLLVERSIONINFO version{};
  version.cbSize = sizeof version;
  if (getVersion && SUCCEEDED(getVersion(&version)) &&
      ReportsTaskbarRestart(version.dwMajorVersion, version.dwMinorVersion)) {
    message = RegisterWindowMessageA("TaskbarCreated");
  }
  FreeLibrary(comctl);
  return message;
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
