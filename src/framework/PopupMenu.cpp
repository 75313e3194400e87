#include "PopupMenu.h"

#include <algorithm>
#include <cctype>
#include <stdexcept>

#include "Application.h"
#include "ImageList.h"
#include "MenuImagePainter.h"

namespace {

char HotkeyOf(const std::string& caption) {
  const size_t amp = caption.find('&');
  if (amp == std::string::npos || amp + 1 >= caption.size()) return 0;
  return static_cast<char>(std::tolower(static_cast<unsigned char>(caption[amp + 1])));
}

// The caption with "&" before its first letter or digit not yet taken, if any.
std::string WithHotkey(const std::string& caption, std::string& taken) {
  if (caption.find('&') != std::string::npos) return caption;
  for (size_t i = 0; i < caption.size(); ++i) {
    const unsigned char c = static_cast<unsigned char>(caption[i]);
    if (!std::isalnum(c)) continue;
    const char key = static_cast<char>(std::tolower(c));
    if (taken.find(key) != std::string::npos) continue;
    taken += key;
    return caption.substr(0, i) + '&' + caption.substr(i);
  }
  return caption;
}

}  // namespace

void TMenuItem::Click() {
  if (!Enabled || !OnClick) return;
  // A copy: the handler may destroy this item (a menu rebuilt from its own click).
  TNotifyEvent handler = OnClick;
  handler(this);
}

TPopupMenu::TPopupMenu(TComponent* owner) : TComponent(owner) {}

TPopupMenu::~TPopupMenu() {
  *alive_ = false;
}

TMenuItem& TPopupMenu::Add(std::string caption, int imageIndex, TNotifyEvent onClick) {
  items_.push_back(std::make_unique<TMenuItem>(std::move(caption), imageIndex, std::move(onClick)));
  ++itemChanges_;
  return *items_.back();
}

void TPopupMenu::Delete(int index) {
  if (index < 0 || index >= Count()) throw std::out_of_range("No menu item at this index");
  items_.erase(items_.begin() + index);
  ++itemChanges_;
}

void TPopupMenu::Clear() {
  items_.clear();
  ++itemChanges_;
}

void TPopupMenu::SetImages(TImageList* images) {
  if (images_ == images) return;
  if (images_) images_->RemoveFreeNotification(this);
  images_ = images;
  if (images_) images_->FreeNotification(this);
}

void TPopupMenu::Notification(TComponent* AComponent, TOperation Operation) {
  TComponent::Notification(AComponent, Operation);
  if (Operation == TOperation::Remove && images_ &&
      AComponent == static_cast<TComponent*>(images_)) {
    images_ = nullptr;
  }
}

// The menu's loop runs other messages while it is open: their handlers may rebuild the
// items or destroy the menu.
void TPopupMenu::Popup(int X, int Y) {
  const std::shared_ptr<bool> alive = alive_;
  DoPopup();
  if (!*alive) return;
  const unsigned long long shownItems = itemChanges_;
  UINT chosen = 0;
  {
    TBuiltMenu built = BuildMenu();
    const TMenuImagePainter painter(built.Menu.Get(), [this, alive]() -> HIMAGELIST {
      return *alive && images_ ? images_->Handle() : nullptr;
    });
    chosen = Track(built.Menu.Get(), X, Y, Application ? Application->Handle() : nullptr);
  }
  if (!*alive || itemChanges_ != shownItems) return;
  if (chosen >= 1 && chosen <= items_.size()) items_[chosen - 1]->Click();
}

std::vector<int> TPopupMenu::ShownItems() const {
  std::vector<int> shown;
  for (int i = 0; i < Count(); ++i) {
    const TMenuItem& item = Items(i);
    if (!item.Visible) continue;
    if (AutoLineReduction && item.IsLine() && (shown.empty() || Items(shown.back()).IsLine())) {
      continue;
    }
    shown.push_back(i);
  }
  while (AutoLineReduction && !shown.empty() && Items(shown.back()).IsLine()) shown.pop_back();
  return shown;
}

bool TPopupMenu::HasImage(const TMenuItem& item) const {
  return images_ && !item.IsLine() && item.ImageIndex >= 0 && item.ImageIndex < images_->Count();
}

TBuiltMenu TPopupMenu::BuildMenu() const {
  TBuiltMenu built;
  built.Menu.Reset(CreatePopupMenu());
  if (!built.Menu) throw std::runtime_error("Cannot create a popup menu");
  const std::vector<int> shown = ShownItems();
  std::string takenHotkeys;
  for (int index : shown) {
    if (const char key = HotkeyOf(Items(index).Caption)) takenHotkeys += key;
  }
  const bool anyImage = std::any_of(shown.begin(), shown.end(), [&](int index) {
    return HasImage(Items(index));
  });
  UINT position = 0;
  for (int index : shown) {
    const TMenuItem& item = Items(index);
    MENUITEMINFOA info{};
    info.cbSize = sizeof info;
    info.fMask = MIIM_FTYPE | MIIM_ID;
    info.wID = static_cast<UINT>(index + 1);
    std::string text;
    if (item.IsLine()) {
      info.fType = MFT_SEPARATOR;
    } else {
      text = AutoHotkeys ? WithHotkey(item.Caption, takenHotkeys) : item.Caption;
      info.fMask |= MIIM_STRING | MIIM_STATE;
      info.fType = MFT_STRING;
      info.dwTypeData = text.data();
      info.fState = (item.Default ? MFS_DEFAULT : 0u) | (item.Enabled ? 0u : MFS_DISABLED) |
                    (item.Checked ? MFS_CHECKED : 0u);
      if (anyImage) {
        info.fMask |= MIIM_BITMAP | MIIM_DATA;
        info.hbmpItem = HBMMENU_CALLBACK;
        info.dwItemData =
            HasImage(item) ? static_cast<ULONG_PTR>(item.ImageIndex) : kBlankImage;
      }
    }
    if (!InsertMenuItemA(built.Menu.Get(), position++, TRUE, &info)) {
      throw std::runtime_error("Cannot add an item to a popup menu");
    }
  }
  return built;
}

// Handlers are called through copies: they may destroy the menu, and with it themselves.
void TPopupMenu::DoPopup() {
  if (!OnPopup) return;
  const TNotifyEvent handler = OnPopup;
  handler(this);
}

UINT TPopupMenu::Track(HMENU menu, int x, int y, HWND owner) {
  if (TrackFunction) {
    const TTrackFunction track = TrackFunction;
    return track(menu, x, y, owner);
  }
  const BOOL chosen = TrackPopupMenu(
      menu, TPM_LEFTALIGN | TPM_TOPALIGN | TPM_RIGHTBUTTON | TPM_RETURNCMD | TPM_NONOTIFY, x, y, 0,
      owner, nullptr);
  return chosen > 0 ? static_cast<UINT>(chosen) : 0u;
}
