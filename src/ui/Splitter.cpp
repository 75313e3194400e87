#include "Splitter.h"

#include <windowsx.h>

TSplitter::TSplitter(HWND parent, int id) {
  TCreateParams params;
  params.ClassName = "ArdenixSplitter";
  params.Cursor = LoadCursor(nullptr, IDC_SIZEWE);
  params.Background = GetSysColorBrush(COLOR_BTNFACE);
  params.Style = WS_CHILD | WS_VISIBLE;
  params.X = params.Y = 0;
  params.Width = params.Height = 0;
  params.Parent = parent;
  params.Menu = reinterpret_cast<HMENU>(static_cast<INT_PTR>(id));
  CreateWindowHandle(params);
}

void TSplitter::SetBounds(int x, int y, int width, int height) {
  MoveWindow(Handle(), x, y, width, height, TRUE);
}

int TSplitter::ParentX(LPARAM lParam) const {
  POINT point{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
  MapWindowPoints(Handle(), GetParent(Handle()), &point, 1);
  return point.x;
}

LRESULT TSplitter::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_LBUTTONDOWN:
      dragging_ = true;
      grabOffset_ = GET_X_LPARAM(lParam);
      SetCapture(Handle());
      return 0;
    case WM_MOUSEMOVE:
      if (dragging_ && OnMoved) OnMoved(ParentX(lParam) - grabOffset_);
      return 0;
    case WM_LBUTTONUP:
    case WM_CAPTURECHANGED:
      if (dragging_) {
        dragging_ = false;
        if (GetCapture() == Handle()) ReleaseCapture();
      }
      return 0;
    default:
      return DefaultHandler(message, wParam, lParam);
  }
}
