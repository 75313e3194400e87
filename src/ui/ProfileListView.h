#pragma once

#include <windows.h>

#include <commctrl.h>

#include <memory>
#include <string>
#include <vector>

#include "ListEntry.h"

// The list's order of captions: the system's locale-aware, case-sensitive comparison
// (lstrcmpA). Negative when a comes first.
int CompareCaptions(const std::string& a, const std::string& b);

// The list of profiles: a list-view control whose items each stand for one entry, kept
// in caption order (lstrcmpA). The entries are owned here; each item's lParam points to
// its entry. Item text and entry caption are always set together.
class TProfileListView {
 public:
  // Creates the control (small icons, auto-arrange, single selection, selection shown
  // without the focus, captions editable) filling nothing until placed.
  TProfileListView(HWND parent, int id, HIMAGELIST smallImages);
  TProfileListView(const TProfileListView&) = delete;
  TProfileListView& operator=(const TProfileListView&) = delete;

  HWND Handle() const { return window_; }

  // Appends entries without sorting; SortByCaption() afterwards puts them in order.
  // Loading many entries sorts once this way instead of once per entry.
  TListEntry& Append(std::string caption, TNetInfo profile);
  void SortByCaption();
  // Stops and restarts drawing while many entries are appended; `expected`
  // entries are about to come (the control makes room for them at once).
  void BeginUpdate(int expected = 0);
  void EndUpdate();

  int Count() const;
  // The entry shown at `index` in list order (0 = first), or null.
  TListEntry* EntryAt(int index) const;
  TListEntry* Selected() const;
  int SelectedIndex() const;
  // Selects and focuses the entry at `index`, after clearing the old selection, so the
  // list reports the change in the order a click causes.
  void Select(int index);
  void ClearSelection();

  // Gives the entry a new caption (item text first, so the list reports the change),
  // then re-sorts.
  void SetCaption(TListEntry& entry, const std::string& caption);
  // Removes the entry and its item and discards its profile.
  void Remove(TListEntry& entry);
  void RedrawAll();

 private:
  int IndexOf(const TListEntry& entry) const;

  HWND window_ = nullptr;  // a child: destroyed with its parent
  std::vector<std::unique_ptr<TListEntry>> entries_;
};
