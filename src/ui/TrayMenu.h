#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "Events.h"
#include "ListEntry.h"
#include "PopupMenu.h"

class TComponent;
class TImageList;
class TProfileListView;

// The program's menus in the notification area.
//
// `pm`, the template, holds the fixed commands ("-", "&Configure", "-", "Start with Windows",
// "E&xit") and is never shown itself. `pmd`, the tray menu, is rebuilt from the list every
// time it is about to open: one item per list entry in list order (its caption as it
// stands, image 0), then copies of the template's items. Separator lines that would stand first,
// last or doubled are hidden when the menu is shown, and captions are shown exactly (no accelerator
// letters are added).
//
// A profile item keeps the entry it was built from: a click applies exactly that entry's
// profile, whatever the captions are (equal, a prefix of another, differing only in
// case, empty, with "&"). An item whose entry has gone since the rebuild applies nothing.
// A caption "-" is drawn as a separator line and cannot be chosen. The items of the
// profiles in force (TCommands::Active) carry a check mark, and "Start with Windows" one
// while TCommands::StartsWithWindows says so (asked once per rebuild). The items of the
// profiles whose network is here (SetRecognised) say so right-aligned after the caption
// ("Office<TAB>network here"), beside any check mark.
class TTrayMenu {
 public:
  // What the items run. Apply gets the chosen entry (its caption and stored profile).
  // Active, asked once per rebuild, gives the list indexes of the profiles in force.
  struct TCommands {
    TNotifyEvent Configure;
    TNotifyEvent Exit;
    std::function<void(const TListEntry&)> Apply;
    std::function<std::vector<std::size_t>()> Active;
    TNotifyEvent ToggleStartWithWindows;
    std::function<bool()> StartsWithWindows;
  };

  // The image of every profile item and of Configure, in the owner's image list.
  static constexpr int kProfileImage = 0;
  static constexpr int kConfigureImage = 1;

  // Creates both menus as components of `owner`, with `images`; deletes them when it
  // goes, so that no menu outlives the object its items call.
  TTrayMenu(TComponent* owner, TImageList* images, TProfileListView& list, TCommands commands);
  ~TTrayMenu();
  TTrayMenu(const TTrayMenu&) = delete;
  TTrayMenu& operator=(const TTrayMenu&) = delete;

  TPopupMenu& Template() const { return *pm_; }
  TPopupMenu& Menu() const { return *pmd_; }

  // Replaces the tray menu's items by the list's entries and copies of the template.
  void Rebuild();
  // The entry is about to be removed from the list: its items apply nothing from now on.
  void Forget(const TListEntry& entry);
  // The captions of the profiles whose network is here, marked from the next rebuild on.
  void SetRecognised(std::vector<std::string> captions) { recognised_ = std::move(captions); }
  // The entry that item `index` of the tray menu applies, or null (a template copy, or
  // an entry that has gone).
  const TListEntry* EntryOf(int index) const;

 private:
  void ApplyItem(size_t index);
  bool InList(const TListEntry* entry) const;

  TPopupMenu* pm_ = nullptr;  // components of the owner, deleted here
  TPopupMenu* pmd_ = nullptr;
  TProfileListView& list_;
  std::function<void(const TListEntry&)> apply_;
  std::function<std::vector<std::size_t>()> active_;
  std::function<bool()> startsWithWindows_;
  int startWithWindowsItem_ = -1;  // its index in the template
  std::vector<std::string> recognised_;
  // The entry of each profile item of the tray menu, by item index; null once forgotten.
  std::vector<const TListEntry*> itemEntries_;
};
