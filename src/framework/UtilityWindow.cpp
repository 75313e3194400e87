#include "UtilityWindow.h"

TUtilityWindow::TUtilityWindow(THandler handler) : handler_(std::move(handler)) {
  TCreateParams params;
  params.ClassName = "ArdenixUtilityWindow";
  params.ExStyle = WS_EX_TOOLWINDOW;
  params.Style = WS_POPUP;
  params.X = 0;
  params.Y = 0;
  params.Width = 0;
  params.Height = 0;
  CreateWindowHandle(params);
  created_ = true;
}

TUtilityWindow::~TUtilityWindow() {
  DestroyWindowHandle();
}

LRESULT TUtilityWindow::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  if (created_ && handler_) return handler_(message, wParam, lParam);
  return DefaultHandler(message, wParam, lParam);
}
