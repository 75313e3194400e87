#include "CreditsLabel.h"

#include <stdexcept>

namespace {

constexpr int kFontPoints = 8;

HFONT MakeFont(TCreditsLabel::TStyle style, int dpi) {
  LOGFONTA logFont{};
  logFont.lfHeight = -MulDiv(kFontPoints, dpi, 72);
  logFont.lfWeight = style.bold ? FW_BOLD : FW_NORMAL;
  logFont.lfUnderline = style.underline ? TRUE : FALSE;
  logFont.lfCharSet = DEFAULT_CHARSET;
  lstrcpynA(logFont.lfFaceName, "MS Sans Serif", LF_FACESIZE);
  return CreateFontIndirectA(&logFont);
}

// The widest the text gets: bold and underlined, as a link under the mouse.
SIZE TextSize(HWND window, const std::string& text, int dpi) {
  FontHandle widest(MakeFont({true, true}, dpi));
  HDC dc = GetDC(window);
  HGDIOBJ old = SelectObject(dc, widest.Get());
  SIZE size{};
  GetTextExtentPoint32A(dc, text.c_str(), static_cast<int>(text.size()), &size);
  SelectObject(dc, old);
  ReleaseDC(window, dc);
  return size;
}

}  // namespace

TCreditsLabel::TCreditsLabel(HWND parent, int x, int y, const std::string& text, TStyle style,
                             COLORREF color, HBRUSH background)
    : text_(text), style_(style), color_(color), background_(background) {
  TCreateParams params;
  params.ClassName = "ArdenixCreditsLabel";
  params.Caption = text;
  params.Style = WS_CHILD | WS_VISIBLE;
  params.X = x;
  params.Y = y;
  params.Width = params.Height = 0;
  params.Parent = parent;
  CreateWindowHandle(params);
  Place(x, y, USER_DEFAULT_SCREEN_DPI);
}

void TCreditsLabel::Place(int x, int y, int dpi) {
  dpi_ = dpi;
  font_.Reset(MakeFont(style_, dpi_));
  const SIZE size = TextSize(Handle(), text_, dpi_);
  MoveWindow(Handle(), MulDiv(x, dpi, USER_DEFAULT_SCREEN_DPI),
             MulDiv(y, dpi, USER_DEFAULT_SCREEN_DPI), size.cx + 2, size.cy, TRUE);
}

// The system keeps a copy of the text as the window's, which WM_GETTEXT answers: screen
// readers and UI automation read the label as shown.
void TCreditsLabel::SetText(const std::string& text) {
  text_ = text;
  DefaultHandler(WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text_.c_str()));
  const SIZE size = TextSize(Handle(), text_, dpi_);
  SetWindowPos(Handle(), nullptr, 0, 0, size.cx + 2, size.cy, SWP_NOMOVE | SWP_NOZORDER);
  InvalidateRect(Handle(), nullptr, TRUE);
}

void TCreditsLabel::Restyle() {
  font_.Reset(MakeFont(style_, dpi_));
  InvalidateRect(Handle(), nullptr, TRUE);
}

void TCreditsLabel::MouseEntered() {
  mouseInside_ = true;
  TRACKMOUSEEVENT track{};
  track.cbSize = sizeof track;
  track.dwFlags = TME_LEAVE;
  track.hwndTrack = Handle();
  TrackMouseEvent(&track);
  if (!IsLink) return;
  color_ = GetSysColor(COLOR_BTNFACE);
  style_.bold = true;
  style_.underline = true;
  Restyle();
}

void TCreditsLabel::MouseLeft() {
  mouseInside_ = false;
  if (!IsLink) return;
  color_ = GetSysColor(COLOR_HIGHLIGHTTEXT);
  style_.bold = false;
  style_.underline = false;
  Restyle();
}

void TCreditsLabel::Paint() {
  PAINTSTRUCT paint;
  HDC dc = BeginPaint(Handle(), &paint);
  RECT client;
  GetClientRect(Handle(), &client);
  FillRect(dc, &client, background_);
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, color_);
  HGDIOBJ old = SelectObject(dc, font_.Get());
  DrawTextA(dc, text_.c_str(), static_cast<int>(text_.size()), &client,
            DT_LEFT | DT_TOP | DT_SINGLELINE | DT_NOPREFIX);
  SelectObject(dc, old);
  EndPaint(Handle(), &paint);
}

LRESULT TCreditsLabel::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_PAINT:
      Paint();
      return 0;
    case WM_ERASEBKGND:
      return 1;
    case WM_MOUSEMOVE:
      if (!mouseInside_) MouseEntered();
      return 0;
    case WM_MOUSELEAVE:
      MouseLeft();
      return 0;
    case WM_SETCURSOR:
      if (IsLink) {
        SetCursor(LoadCursor(nullptr, IDC_HAND));
        return TRUE;
      }
      break;
    case WM_SETTEXT:
      SetText(lParam ? reinterpret_cast<const char*>(lParam) : "");
      return TRUE;
    case WM_LBUTTONUP:
      if (IsLink && !Hint.empty() && OnOpen) OnOpen(Hint);
      return 0;
    default:
      break;
  }
  return DefaultHandler(message, wParam, lParam);
}
