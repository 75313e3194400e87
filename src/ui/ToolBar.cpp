#include "ToolBar.h"

#include <vector>

#include "ChildWindow.h"

namespace {

constexpr int kSeparatorWidth = 8;
constexpr int kToolTipInitialMs = 500;
constexpr int kToolTipAutoPopMs = 2500;

}  // namespace

TToolBar::TToolBar(HWND parent, int id, HIMAGELIST images, std::span<const TToolButton> buttons)
    : window_(CreateChild(0, TOOLBARCLASSNAMEA, "",
                          WS_CHILD | WS_VISIBLE | TBSTYLE_FLAT | TBSTYLE_TOOLTIPS | CCS_TOP |
                              CCS_NODIVIDER,
                          parent, id)),
      buttons_(buttons) {
  SendMessageA(window_, TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
  SendMessageA(window_, TB_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(images));
  std::vector<TBBUTTON> items;
  for (const TToolButton& button : buttons_) {
    if (!items.empty()) {
      TBBUTTON separator{};
      separator.iBitmap = kSeparatorWidth;
      separator.fsStyle = BTNS_SEP;
      items.push_back(separator);
    }
    TBBUTTON item{};
    item.iBitmap = button.image;
    item.idCommand = button.command;
    item.fsState = TBSTATE_ENABLED;
    item.fsStyle = BTNS_BUTTON;
    item.iString = -1;
    items.push_back(item);
  }
  SendMessageA(window_, TB_ADDBUTTONSA, items.size(), reinterpret_cast<LPARAM>(items.data()));
  SendMessageA(window_, TB_AUTOSIZE, 0, 0);
  if (HWND tips = reinterpret_cast<HWND>(SendMessageA(window_, TB_GETTOOLTIPS, 0, 0))) {
    SendMessageA(tips, TTM_SETDELAYTIME, TTDT_INITIAL, MAKELPARAM(kToolTipInitialMs, 0));
    SendMessageA(tips, TTM_SETDELAYTIME, TTDT_AUTOPOP, MAKELPARAM(kToolTipAutoPopMs, 0));
  }
}

bool TToolBar::GiveToolTipText(NMTTDISPINFOA& info) const {
  for (const TToolButton& button : buttons_) {
    if (static_cast<UINT_PTR>(button.command) == info.hdr.idFrom) {
      info.lpszText = const_cast<char*>(button.toolTip);
      info.hinst = nullptr;
      return true;
    }
  }
  return false;
}

// The control takes the image size from the list when the list is set: the same list is
// set again, and the buttons are sized anew around it.
void TToolBar::ImagesChanged() {
  const LRESULT images = SendMessageA(window_, TB_GETIMAGELIST, 0, 0);
  SendMessageA(window_, TB_SETIMAGELIST, 0, 0);
  SendMessageA(window_, TB_SETIMAGELIST, 0, images);
  int width = 0;
  int height = 0;
  ImageList_GetIconSize(reinterpret_cast<HIMAGELIST>(images), &width, &height);
  SendMessageA(window_, TB_SETBITMAPSIZE, 0, MAKELPARAM(width, height));
  SendMessageA(window_, TB_AUTOSIZE, 0, 0);
}
