#include "Panel.h"

#include <algorithm>
#include <array>

namespace {

// What a control tells its parent and the form has to decide.
constexpr std::array<UINT, 7> kForwarded = {WM_COMMAND,      WM_NOTIFY,      WM_CTLCOLORSTATIC,
                                            WM_CTLCOLOREDIT, WM_CTLCOLORBTN, WM_CTLCOLORLISTBOX,
                                            WM_DRAWITEM};

}  // namespace

TPanel::TPanel(HWND parent, int id) {
  TCreateParams params;
  params.ClassName = "ArdenixPanel";
  params.Background = GetSysColorBrush(COLOR_BTNFACE);
  params.Style = WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN;
  params.ExStyle = WS_EX_CONTROLPARENT;
  params.X = params.Y = 0;
  params.Width = params.Height = 0;
  params.Parent = parent;
  params.Menu = reinterpret_cast<HMENU>(static_cast<INT_PTR>(id));
  CreateWindowHandle(params);
}

void TPanel::SetBounds(int x, int y, int width, int height) {
  MoveWindow(Handle(), x, y, std::max(width, 0), std::max(height, 0), TRUE);
}

LRESULT TPanel::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  if (std::find(kForwarded.begin(), kForwarded.end(), message) != kForwarded.end()) {
    return SendMessageA(GetParent(Handle()), message, wParam, lParam);
  }
  return DefaultHandler(message, wParam, lParam);
}
