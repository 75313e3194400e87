#include "ProfileListView.h"

#include <commctrl.h>

#include <algorithm>
#include <stdexcept>

namespace {

int CALLBACK CompareEntryCaptions(LPARAM first, LPARAM second, LPARAM) {
  return CompareCaptions(reinterpret_cast<const TListEntry*>(first)->Caption,
                         reinterpret_cast<const TListEntry*>(second)->Caption);
}

// The images belong to the form's image list: the control must not destroy them.
constexpr DWORD kStyle = WS_CHILD | WS_VISIBLE | WS_TABSTOP | LVS_SMALLICON | LVS_AUTOARRANGE |
                         LVS_SHOWSELALWAYS | LVS_SINGLESEL | LVS_EDITLABELS | LVS_SHAREIMAGELISTS;

}  // namespace

int CompareCaptions(const std::string& a, const std::string& b) {
  return lstrcmpA(a.c_str(), b.c_str());
}

TProfileListView::TProfileListView(HWND parent, int id, HIMAGELIST smallImages) {
  window_ = CreateWindowExA(WS_EX_CLIENTEDGE, WC_LISTVIEWA, "", kStyle, 0, 0, 0, 0, parent,
                            reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                            GetModuleHandleA(nullptr), nullptr);
  if (!window_) throw std::runtime_error("Cannot create the profile list");
  SendMessageA(window_, LVM_SETIMAGELIST, LVSIL_SMALL, reinterpret_cast<LPARAM>(smallImages));
}

TListEntry& TProfileListView::Append(std::string caption, TNetInfo profile) {
  auto entry = std::make_unique<TListEntry>(TListEntry{std::move(caption), std::move(profile)});
  LVITEMA item{};
  item.mask = LVIF_TEXT | LVIF_PARAM | LVIF_IMAGE;
  item.iItem = Count();
  item.pszText = entry->Caption.data();
  item.iImage = 0;
  item.lParam = reinterpret_cast<LPARAM>(entry.get());
  // Room first, so that an item never stands in the list without its entry.
  if (entries_.size() == entries_.capacity()) entries_.reserve(entries_.size() * 2 + 16);
  if (SendMessageA(window_, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item)) < 0) {
    throw std::runtime_error("Cannot add \"" + entry->Caption + "\" to the list");
  }
  entries_.push_back(std::move(entry));
  return *entries_.back();
}

void TProfileListView::SortByCaption() {
  SendMessageA(window_, LVM_SORTITEMS, 0, reinterpret_cast<LPARAM>(&CompareEntryCaptions));
}

void TProfileListView::BeginUpdate(int expected) {
  SendMessageA(window_, WM_SETREDRAW, FALSE, 0);
  if (expected > 0) {
    SendMessageA(window_, LVM_SETITEMCOUNT, static_cast<WPARAM>(Count() + expected), 0);
    entries_.reserve(entries_.size() + static_cast<size_t>(expected));
  }
}

void TProfileListView::EndUpdate() {
  SendMessageA(window_, WM_SETREDRAW, TRUE, 0);
  InvalidateRect(window_, nullptr, TRUE);
}

int TProfileListView::Count() const {
  return static_cast<int>(SendMessageA(window_, LVM_GETITEMCOUNT, 0, 0));
}

TListEntry* TProfileListView::EntryAt(int index) const {
  if (index < 0) return nullptr;
  LVITEMA item{};
  item.mask = LVIF_PARAM;
  item.iItem = index;
  if (!SendMessageA(window_, LVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item))) return nullptr;
  return reinterpret_cast<TListEntry*>(item.lParam);
}

int TProfileListView::SelectedIndex() const {
  return static_cast<int>(SendMessageA(window_, LVM_GETNEXTITEM, static_cast<WPARAM>(-1),
                                       MAKELPARAM(LVNI_SELECTED, 0)));
}

TListEntry* TProfileListView::Selected() const {
  return EntryAt(SelectedIndex());
}

void TProfileListView::Select(int index) {
  // As a click does it: the old selection goes first, then the new one comes.
  ClearSelection();
  LVITEMA item{};
  item.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
  item.state = LVIS_SELECTED | LVIS_FOCUSED;
  SendMessageA(window_, LVM_SETITEMSTATE, index, reinterpret_cast<LPARAM>(&item));
}

void TProfileListView::ClearSelection() {
  LVITEMA item{};
  item.stateMask = LVIS_SELECTED;
  item.state = 0;
  SendMessageA(window_, LVM_SETITEMSTATE, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(&item));
}

int TProfileListView::IndexOf(const TListEntry& entry) const {
  LVFINDINFOA find{};
  find.flags = LVFI_PARAM;
  find.lParam = reinterpret_cast<LPARAM>(&entry);
  return static_cast<int>(SendMessageA(window_, LVM_FINDITEMA, static_cast<WPARAM>(-1),
                                       reinterpret_cast<LPARAM>(&find)));
}

void TProfileListView::SetCaption(TListEntry& entry, const std::string& caption) {
  const int index = IndexOf(entry);
  if (index < 0) return;
  std::string text = caption;
  LVITEMA item{};
  item.iSubItem = 0;
  item.pszText = text.data();
  // The list reports the text change (about to change, changed) while the entry still
  // has its old caption; then both agree.
  SendMessageA(window_, LVM_SETITEMTEXTA, index, reinterpret_cast<LPARAM>(&item));
  entry.Caption = caption;
  SortByCaption();
}

void TProfileListView::Remove(TListEntry& entry) {
  const int index = IndexOf(entry);
  if (index >= 0) SendMessageA(window_, LVM_DELETEITEM, index, 0);
  auto owned = std::find_if(entries_.begin(), entries_.end(),
                            [&](const auto& candidate) { return candidate.get() == &entry; });
  if (owned != entries_.end()) entries_.erase(owned);
}

void TProfileListView::RedrawAll() {
  const int count = Count();
  if (count > 0) SendMessageA(window_, LVM_REDRAWITEMS, 0, count - 1);
  UpdateWindow(window_);
}
