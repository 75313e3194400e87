#include "MenuImagePainter.h"

#include <utility>

#include "Application.h"
#include "PopupMenu.h"

TMenuImagePainter::TMenuImagePainter(HMENU menu, TImages images)
    : menu_(menu), images_(std::move(images)) {
  if (Application) {
    Application->HookMainWindow({this, &TMenuImagePainter::Hooked});
    hooked_ = true;
  }
}

TMenuImagePainter::~TMenuImagePainter() {
  if (hooked_ && Application) Application->UnhookMainWindow({this, &TMenuImagePainter::Hooked});
}

bool TMenuImagePainter::Hooked(void* painter, TMessage& message) {
  return static_cast<const TMenuImagePainter*>(painter)->Answer(message);
}

bool TMenuImagePainter::Answer(TMessage& message) const {
  bool answered = false;
  if (message.Msg == WM_MEASUREITEM) {
    answered = Measure(*reinterpret_cast<MEASUREITEMSTRUCT*>(message.LParam));
  } else if (message.Msg == WM_DRAWITEM) {
    answered = Draw(*reinterpret_cast<const DRAWITEMSTRUCT*>(message.LParam));
  }
  if (answered) message.Result = TRUE;
  return answered;
}

// A measure request does not say which menu it is for: the item must be one of ours
// whose bitmap is drawn here.
bool TMenuImagePainter::IsImageItem(UINT id) const {
  MENUITEMINFOA info{};
  info.cbSize = sizeof info;
  info.fMask = MIIM_BITMAP;
  return GetMenuItemInfoA(menu_, id, FALSE, &info) && info.hbmpItem == HBMMENU_CALLBACK;
}

bool TMenuImagePainter::Measure(MEASUREITEMSTRUCT& item) const {
  if (item.CtlType != ODT_MENU || !IsImageItem(item.itemID)) return false;
  const HIMAGELIST images = images_();
  int width = 0;
  int height = 0;
  if (images) ImageList_GetIconSize(images, &width, &height);
  item.itemWidth = static_cast<UINT>(width);
  item.itemHeight = static_cast<UINT>(height);
  return true;
}

// Centred in the place the menu gives it.
bool TMenuImagePainter::Draw(const DRAWITEMSTRUCT& item) const {
  if (item.CtlType != ODT_MENU || reinterpret_cast<HMENU>(item.hwndItem) != menu_) return false;
  const HIMAGELIST images = images_();
  int width = 0;
  int height = 0;
  if (!images || !ImageList_GetIconSize(images, &width, &height)) return true;
  if (item.itemData == TPopupMenu::kBlankImage) return true;  // a place kept, nothing shown
  const RECT& place = item.rcItem;
  const int x = place.left + (place.right - place.left - width) / 2;
  const int y = place.top + (place.bottom - place.top - height) / 2;
  ImageList_Draw(images, static_cast<int>(item.itemData), item.hDC, x, y, ILD_TRANSPARENT);
  return true;
}
