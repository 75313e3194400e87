#include "StatusBar.h"

#include <commctrl.h>

#include <iterator>

#include "ChildWindow.h"

namespace {

constexpr char kTitleText[] = "Torvane";
constexpr int kTitlePartWidth = 60;  // at 96 DPI, for the title; the adapter's part the rest
constexpr int kProblemPartWidth = 220;  // at 96 DPI, in the title's place

enum : int { sbTitle, sbAdapter };

}  // namespace

TStatusBar::TStatusBar(HWND parent, int id, int dpi)
    : window_(CreateChild(0, STATUSCLASSNAMEA, "",
                          WS_CHILD | WS_VISIBLE | SBARS_SIZEGRIP | SBARS_TOOLTIPS, parent, id)) {
  SetDpi(dpi);
  SendMessageA(window_, SB_SETTEXTA, sbTitle, reinterpret_cast<LPARAM>(kTitleText));
}

void TStatusBar::ShowAdapterText(const std::string& text) {
  SendMessageA(window_, SB_SETTEXTA, sbAdapter, reinterpret_cast<LPARAM>(text.c_str()));
  SendMessageA(window_, SB_SETTIPTEXTA, sbAdapter, reinterpret_cast<LPARAM>(text.c_str()));
}

void TStatusBar::ShowStoreProblem(const std::string& text) {
  storeProblem_ = text;
  SetParts();
  const char* shown = text.empty() ? kTitleText : text.c_str();
  SendMessageA(window_, SB_SETTEXTA, sbTitle, reinterpret_cast<LPARAM>(shown));
  SendMessageA(window_, SB_SETTIPTEXTA, sbTitle, reinterpret_cast<LPARAM>(text.c_str()));
}

void TStatusBar::SetDpi(int dpi) {
  dpi_ = dpi;
  SetParts();
}

void TStatusBar::SetParts() {
  const int width = storeProblem_.empty() ? kTitlePartWidth : kProblemPartWidth;
  const int parts[] = {MulDiv(width, dpi_, USER_DEFAULT_SCREEN_DPI), -1};
  SendMessageA(window_, SB_SETPARTS, std::size(parts), reinterpret_cast<LPARAM>(parts));
}
