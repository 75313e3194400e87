#include "WorkAreaPlacement.h"

#include "ScreenFit.h"

namespace {

TScreenRect FromRect(const RECT& r) {
  return {r.left, r.top, r.right, r.bottom};
}

}  // namespace

void MoveIntoWorkArea(HWND window) {
  RECT bounds{};
  if (!GetWindowRect(window, &bounds)) return;
  MONITORINFO monitor{};
  monitor.cbSize = sizeof monitor;
  if (!GetMonitorInfoA(MonitorFromRect(&bounds, MONITOR_DEFAULTTONEAREST), &monitor)) return;
  const TScreenRect now = FromRect(bounds);
  const TScreenRect fitted = FitIntoWorkArea(now, FromRect(monitor.rcWork));
  if (fitted == now) return;
  SetWindowPos(window, nullptr, fitted.Left, fitted.Top, fitted.Width(), fitted.Height(),
               SWP_NOZORDER | SWP_NOACTIVATE);
}
