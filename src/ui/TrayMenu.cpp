#include "TrayMenu.h"

#include <algorithm>
#include <utility>

#include "ImageList.h"
#include "ProfileListView.h"

namespace {

// After a tab, so that the menu aligns it to the right of the captions.
constexpr char kRecognisedMark[] = "\tnetwork here";

}  // namespace

TTrayMenu::TTrayMenu(TComponent* owner, TImageList* images, TProfileListView& list,
                     TCommands commands)
    : list_(list),
      apply_(std::move(commands.Apply)),
      active_(std::move(commands.Active)),
      startsWithWindows_(std::move(commands.StartsWithWindows)) {
  pm_ = new TPopupMenu(owner);
  pm_->SetName("pm");
  pm_->SetImages(images);
  pm_->Add("-");
  pm_->Add("&Configure", kConfigureImage, std::move(commands.Configure));
  pm_->Add("-");
  startWithWindowsItem_ = pm_->Count();
  pm_->Add("Start with Windows", -1, std::move(commands.ToggleStartWithWindows));
  pm_->Add("E&xit", -1, std::move(commands.Exit));
  // Never shown; wired like the tray menu all the same.
  pm_->OnPopup = [this](TObject*) { Rebuild(); };

  pmd_ = new TPopupMenu(owner);
  pmd_->SetName("pmd");
  pmd_->SetImages(images);
  pmd_->AutoHotkeys = false;  // profile captions are shown exactly as they are
  pmd_->AutoLineReduction = true;
  pmd_->OnPopup = [this](TObject*) { Rebuild(); };
}

TTrayMenu::~TTrayMenu() {
  delete pmd_;
  delete pm_;
}

void TTrayMenu::Rebuild() {
  pmd_->Clear();
  itemEntries_.clear();
  const int count = list_.Count();
  itemEntries_.reserve(static_cast<size_t>(std::max(count, 0)));
  for (int index = 0; index < count; ++index) {
    const TListEntry* entry = list_.EntryAt(index);
    const size_t item = itemEntries_.size();
    itemEntries_.push_back(entry);
    std::string caption = entry ? entry->Caption : std::string();
    // A caption "-" stays a line, mark or not.
    if (caption != "-" &&
        std::find(recognised_.begin(), recognised_.end(), caption) != recognised_.end())
      caption += kRecognisedMark;
    pmd_->Add(std::move(caption), kProfileImage, [this, item](TObject*) { ApplyItem(item); });
  }
  if (active_) {
    for (size_t index : active_()) {
      if (index < itemEntries_.size()) pmd_->Items(static_cast<int>(index)).Checked = true;
    }
  }
  // Copies, not the template's own items: the template stays whole for the next time.
  for (int index = 0; index < pm_->Count(); ++index) {
    const TMenuItem& item = pm_->Items(index);
    TMenuItem& copy = pmd_->Add(item.Caption, item.ImageIndex, item.OnClick);
    if (index == startWithWindowsItem_) copy.Checked = startsWithWindows_ && startsWithWindows_();
  }
}

void TTrayMenu::Forget(const TListEntry& entry) {
  std::replace(itemEntries_.begin(), itemEntries_.end(), &entry,
               static_cast<const TListEntry*>(nullptr));
}

const TListEntry* TTrayMenu::EntryOf(int index) const {
  if (index < 0 || static_cast<size_t>(index) >= itemEntries_.size()) return nullptr;
  return itemEntries_[static_cast<size_t>(index)];
}

// Removals through the window are forgotten (Forget); the look-up in the list keeps an
// entry that went any other way from being read after it has gone.
void TTrayMenu::ApplyItem(size_t index) {
  if (index >= itemEntries_.size()) return;
  const TListEntry* entry = itemEntries_[index];
  if (!entry || !InList(entry) || !apply_) return;
  apply_(*entry);
}

bool TTrayMenu::InList(const TListEntry* entry) const {
  const int count = list_.Count();
  for (int index = 0; index < count; ++index) {
    if (list_.EntryAt(index) == entry) return true;
  }
  return false;
}
