#include "AboutForm.h"

#include <commctrl.h>
#include <shellapi.h>

#include "res/Version.h"

namespace {

constexpr int kClientWidth = 369;
constexpr int kClientHeight = 188;

enum class TColor { HighlightText, White };

struct TLabelDesign {
  int x;
  int y;
  bool bold;
  TColor color;
  const char* text;
  const char* link;  // null: a plain label
  const char* hint;  // the tooltip of a plain label, or null
};

// The makers' details: the developers as a group, addresses under example.org.
constexpr TLabelDesign kLabels[TfrmAbout::LabelCount] = {
    {16, 8, true, TColor::HighlightText, "", nullptr, nullptr},  // lblVer: set when created
    {16, 24, true, TColor::HighlightText, "LAN Connection Managaer", nullptr, nullptr},
    {16, 44, false, TColor::HighlightText, "Using \"netsh\" interface.", nullptr, nullptr},
    {16, 76, true, TColor::HighlightText, "programming:", nullptr, nullptr},
    {24, 96, false, TColor::White, "The Ardenix developers (developers@example.org)",
     "mailto:developers@example.org", nullptr},
    {24, 112, false, TColor::White, "Ardenix support (support@example.org)",
     "mailto:support@example.org", nullptr},
    {12, 144, false, TColor::HighlightText, "Download: www.example.org/ardenix",
     "https://www.example.org/ardenix/download", nullptr},
    {12, 164, false, TColor::HighlightText, "Web: www.example.org", "https://www.example.org/",
     nullptr},
    {280, 144, false, TColor::HighlightText, "April 2005", nullptr, nullptr},
    {280, 160, false, TColor::HighlightText, "Example City", "https://www.example.org/ardenix/",
     nullptr},
    {288, 8, true, TColor::HighlightText, "freeware", nullptr,
     "Free to use and to pass on, without any warranty"},
};

COLORREF ColorOf(TColor color) {
  return color == TColor::White ? RGB(255, 255, 255) : GetSysColor(COLOR_HIGHLIGHTTEXT);
}

}  // namespace

void OpenAddressWithShell(const std::string& address) {
  if (address.empty()) return;
  ShellExecuteA(nullptr, nullptr, address.c_str(), "", "", SW_SHOWNORMAL);
}

TfrmAbout::TfrmAbout(TComponent* Owner) : TForm(Owner), OpenAddress(OpenAddressWithShell) {
  SetName("frmAbout");
  SetCaption("Credits:");
  background_.Reset(CreateSolidBrush(kBackground));
}

void TfrmAbout::WindowCreated() {
  dpi_ = static_cast<int>(GetDpiForWindow(Handle()));
  if (dpi_ <= 0) dpi_ = USER_DEFAULT_SCREEN_DPI;
  ResizeToClient();
}

void TfrmAbout::CreateContent() {
  if (!labels_.empty()) return;
  WindowHandle();
  toolTips_ = CreateWindowExA(WS_EX_TOPMOST, TOOLTIPS_CLASSA, nullptr, WS_POPUP | TTS_ALWAYSTIP,
                              CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, Handle(),
                              nullptr, GetModuleHandleA(nullptr), nullptr);
  CreateLabels();
  labels_[lblVer]->SetText("Ardenix " ARDENIX_VERSION);
}

TfrmAbout::~TfrmAbout() {
  DestroyWindowHandle();
}

void TfrmAbout::CreateParams(TCreateParams& params) {
  TForm::CreateParams(params);
  params.ClassName = "TfrmAbout";
  params.Style = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;
  params.ExStyle = WS_EX_DLGMODALFRAME | WS_EX_CONTROLPARENT;
  params.Background = nullptr;  // painted with the dialog's own brush
  params.Width = kClientWidth;
  params.Height = kClientHeight;
}

void TfrmAbout::CreateLabels() {
  for (const TLabelDesign& design : kLabels) {
    auto label = std::make_unique<TCreditsLabel>(Handle(), design.x, design.y, design.text,
                                                 TCreditsLabel::TStyle{design.bold, false},
                                                 ColorOf(design.color), background_.Get());
    if (design.link) {
      label->IsLink = true;
      label->Hint = design.link;
      label->OnOpen = [this](const std::string& address) {
        if (OpenAddress) OpenAddress(address);
      };
    } else if (design.hint) {
      label->Hint = design.hint;
    }
    if (!label->Hint.empty()) AddToolTip(*label);
    labels_.push_back(std::move(label));
  }
  // Each label has placed itself for 96 DPI already.
  if (dpi_ != USER_DEFAULT_SCREEN_DPI) PlaceLabels();
}

void TfrmAbout::AddToolTip(TCreditsLabel& label) {
  if (!toolTips_) return;
  TTTOOLINFOA tool{};
  tool.cbSize = sizeof tool;
  tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
  tool.hwnd = Handle();
  tool.uId = reinterpret_cast<UINT_PTR>(label.Handle());
  tool.lpszText = label.Hint.data();
  SendMessageA(toolTips_, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&tool));
}

void TfrmAbout::PlaceLabels() {
  for (size_t index = 0; index < labels_.size(); ++index) {
    labels_[index]->Place(kLabels[index].x, kLabels[index].y, dpi_);
  }
}

void TfrmAbout::ResizeToClient() {
  RECT rect{0, 0, MulDiv(kClientWidth, dpi_, USER_DEFAULT_SCREEN_DPI),
            MulDiv(kClientHeight, dpi_, USER_DEFAULT_SCREEN_DPI)};
  AdjustWindowRectExForDpi(&rect, static_cast<DWORD>(GetWindowLongA(Handle(), GWL_STYLE)), FALSE,
                           static_cast<DWORD>(GetWindowLongA(Handle(), GWL_EXSTYLE)),
                           static_cast<UINT>(dpi_));
  SetWindowPos(Handle(), nullptr, 0, 0, rect.right - rect.left, rect.bottom - rect.top,
               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void TfrmAbout::DoShow() {
  // Before the dialog appears: the labels show with its first painting.
  CreateContent();
  // Centred on the screen (the work area of the monitor the dialog is on).
  MONITORINFO monitor{};
  monitor.cbSize = sizeof monitor;
  GetMonitorInfoA(MonitorFromWindow(Handle(), MONITOR_DEFAULTTOPRIMARY), &monitor);
  RECT window;
  GetWindowRect(Handle(), &window);
  const RECT& area = monitor.rcWork;
  const int width = window.right - window.left;
  const int height = window.bottom - window.top;
  SetWindowPos(Handle(), nullptr, area.left + (area.right - area.left - width) / 2,
               area.top + (area.bottom - area.top - height) / 2, 0, 0,
               SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  TForm::DoShow();
}

bool TfrmAbout::PreprocessMessage(MSG& message) {
  // Keys reach the dialog before its controls: Escape closes it wherever it is pressed.
  if (message.message == WM_KEYDOWN && message.wParam == VK_ESCAPE) {
    Close();
    return true;
  }
  return TForm::PreprocessMessage(message);
}

LRESULT TfrmAbout::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_ERASEBKGND: {
      RECT client;
      GetClientRect(Handle(), &client);
      FillRect(reinterpret_cast<HDC>(wParam), &client, background_.Get());
      return 1;
    }
    case WM_KEYDOWN:
      if (wParam == VK_ESCAPE) Close();
      return 0;
    case WM_COMMAND:
      // Dialog keys: Escape closes, Enter does nothing (there is no default button).
      if (LOWORD(wParam) == IDCANCEL) Close();
      if (LOWORD(wParam) == IDCANCEL || LOWORD(wParam) == IDOK) return 0;
      break;
    case WM_DPICHANGED: {
      dpi_ = HIWORD(wParam);
      PlaceLabels();
      ResizeToClient();
      return 0;
    }
    default:
      break;
  }
  return TForm::HandleMessage(message, wParam, lParam);
}
