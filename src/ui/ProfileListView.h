#pragma once

#include <windows.h>

#include <commctrl.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "CaptionComparison.h"
#include "ListEntry.h"

// The list of profiles. The entries live here, in caption order (lstrcmpA); the control
// is a virtual list view that only knows how many there are and asks for the caption and
// image of the ones it draws. So a store of thousands of profiles costs no item copies in
// the control, and sorting is done once here instead of through the control.
//
// The selected and the focused entry are tracked here, by entry: both follow their entry
// when the list is re-sorted. Every move of the selection is reported twice, through
// OnChanging while Selected() is still the entry that loses it, and through OnChanged
// once Selected() is the entry that has it (the focus alone is not reported: on Wine it
// reaches an entry after the entry's selection). A new caption is reported the same way
// (before it is set, and after the list is re-sorted).
class TProfileListView {
 public:
  // Creates the control (small icons, auto-arrange, single selection, selection shown
  // without the focus, captions editable) filling nothing until placed.
  TProfileListView(HWND parent, int id, HIMAGELIST smallImages);
  TProfileListView(const TProfileListView&) = delete;
  TProfileListView& operator=(const TProfileListView&) = delete;

  HWND Handle() const { return window_; }
  // The image list's image size has changed (the screen's scale): the entries are
  // measured again.
  void ImagesChanged();

  // The selection is about to move or a caption to change / has moved or changed.
  std::function<void()> OnChanging;
  std::function<void()> OnChanged;

  // Appends entries without sorting; SortByCaption() afterwards puts them in order.
  // Loading many entries sorts once this way instead of once per entry.
  TListEntry& Append(std::string caption, TNetInfo profile);
  void SortByCaption();
  // Brackets appending many entries: `expected` entries are about to come (room is made
  // for them at once); the control learns of them all at EndUpdate, in one step.
  void BeginUpdate(int expected = 0);
  void EndUpdate();

  int Count() const { return static_cast<int>(entries_.size()); }
  // The entry shown at `index` in list order (0 = first), or null.
  TListEntry* EntryAt(int index) const;
  // The entry of exactly that caption (captions name one entry each), or null.
  TListEntry* EntryCaptioned(const std::string& caption) const;
  TListEntry* Selected() const { return selected_; }
  int SelectedIndex() const { return IndexOf(selected_); }
  // The entry's place in list order, or -1.
  int IndexOf(const TListEntry* entry) const;
  // Selects and focuses the entry at `index`, after clearing the old selection, as a
  // click does it.
  void Select(int index);
  void ClearSelection();

  // Gives the entry a new caption and moves it to its place in caption order.
  void SetCaption(TListEntry& entry, const std::string& caption);
  // Removes the entry and discards its profile.
  void Remove(TListEntry& entry);
  void RedrawAll();
  // What the empty list shows in its place, so that a first start explains itself.
  void SetEmptyText(std::string text);

  // The control's notifications about its items (their display texts and images, the
  // type-ahead search, changes of selection and focus). Returns true when `header` was
  // one of them; `result` is then the answer for the control.
  bool HandleNotify(const NMHDR& header, LPARAM lParam, LRESULT& result);

 private:
  int ControlIndex(UINT flag) const;
  void SetControlState(int index, UINT mask, UINT state);
  // Takes the control's selection and focus as the user left them, reporting a change.
  void FollowControl();
  // Shows the tracked selection and focus in the control, reporting nothing.
  void ShowTracked();
  // Moves entries_[index], whose caption changed, to its place among the others.
  void MoveToSortedPlace(size_t index);
  // Tells the control how many entries there are and places their items.
  void ShowCount();
  // The control's first layout, and a new one when `caption` is wider than any before.
  void LayOutFirst();
  void WidenFor(const std::string& caption);
  std::string WidestCaption() const;
  void GiveDisplayInfo(NMLVDISPINFOA& info) const;
  void GiveDisplayInfo(NMLVDISPINFOW& info) const;
  int Find(const std::string& text, UINT flags, int start) const;
  LRESULT CustomDraw(NMLVCUSTOMDRAW& draw) const;

  HWND window_ = nullptr;  // a child: destroyed with its parent
  std::vector<std::unique_ptr<TListEntry>> entries_;
  size_t sortedCount_ = 0;  // entries_[0, sortedCount_) stand in caption order
  TListEntry* selected_ = nullptr;
  TListEntry* focused_ = nullptr;
  const std::string* measuredCaption_ = nullptr;  // what item 0 shows while measuring
  std::string widestCaption_;
  std::string emptyText_;  // the caption the control's item width is made for
  bool laidOut_ = false;       // the control has measured its items once
  bool updating_ = false;      // between BeginUpdate and EndUpdate
  bool showingState_ = false;  // the control's state is being set from the tracked one
};
