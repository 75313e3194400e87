#include "ProfileListView.h"

#include <commctrl.h>

#include <algorithm>
#include <iterator>
#include <stdexcept>
#include <string>
#include <string_view>

namespace {

// The images belong to the form's image list: the control must not destroy them.
// LVS_OWNERDATA: the items' texts and images come from the entries, on request.
constexpr DWORD kStyle = WS_CHILD | WS_VISIBLE | WS_TABSTOP | LVS_SMALLICON | LVS_AUTOARRANGE |
                         LVS_SHOWSELALWAYS | LVS_SINGLESEL | LVS_EDITLABELS | LVS_SHAREIMAGELISTS |
                         LVS_OWNERDATA;

constexpr int kEntryImage = 0;

bool CaptionBefore(const std::unique_ptr<TListEntry>& a, const std::unique_ptr<TListEntry>& b) {
  return CompareCaptions(a->Caption, b->Caption) < 0;
}

// The system's sort keys of all captions, one after the other in one buffer: keys compare
// byte by byte as their captions compare by the locale (lstrcmpA is CompareStringA in
// the thread's locale with the ANSI code page). Each key is made by one call into a
// buffer large enough for most captions, and measured first only when it is not.
class TSortKeys {
 public:
  // False when the system makes no key for one of the captions.
  bool Make(const std::vector<std::unique_ptr<TListEntry>>& entries) {
    const LCID locale = GetThreadLocale();
    ends_.reserve(entries.size());
    size_t total = 0;
    for (const auto& entry : entries) total += RoomFor(entry->Caption);
    bytes_.reserve(total);
    for (const auto& entry : entries) {
      const char* caption = entry->Caption.c_str();
      const size_t start = bytes_.size();
      size_t room = RoomFor(entry->Caption);
      bytes_.resize(start + room);
      int size =
          LCMapStringA(locale, kFlags, caption, -1, bytes_.data() + start, static_cast<int>(room));
      if (size <= 0) {
        size = LCMapStringA(locale, kFlags, caption, -1, nullptr, 0);
        if (size <= 0) return false;
        room = static_cast<size_t>(size);
        bytes_.resize(start + room);
        if (LCMapStringA(locale, kFlags, caption, -1, bytes_.data() + start, size) != size)
          return false;
      }
      bytes_.resize(start + static_cast<size_t>(size));
      ends_.push_back(bytes_.size());
    }
    return true;
  }

  std::string_view Key(size_t index) const {
    const size_t start = index == 0 ? 0 : ends_[index - 1];
    return std::string_view(bytes_).substr(start, ends_[index] - start);
  }

 private:
  static constexpr DWORD kFlags = LCMAP_SORTKEY | LOCALE_USE_CP_ACP;

  // A key takes a few bytes per character and a few more to close its levels.
  static size_t RoomFor(const std::string& caption) { return caption.size() * 4 + 16; }

  std::string bytes_;
  std::vector<size_t> ends_;
};

// Sorts the whole list in caption order, keeping equal captions in their order. A sort
// compares each caption many times: comparing sort keys, made once per caption, costs a
// fraction of comparing the captions themselves. Making a key costs less than one
// comparison of two captions, so a store already in order (as this program writes it)
// is also recognised by its keys. Without keys, the captions are compared.
void SortAllByKeys(std::vector<std::unique_ptr<TListEntry>>& entries) {
  TSortKeys keys;
  if (!keys.Make(entries)) {
    if (!std::is_sorted(entries.begin(), entries.end(), CaptionBefore))
      std::stable_sort(entries.begin(), entries.end(), CaptionBefore);
    return;
  }
  std::vector<size_t> order(entries.size());
  for (size_t index = 0; index < order.size(); ++index) order[index] = index;
  const auto keyBefore = [&](size_t a, size_t b) { return keys.Key(a) < keys.Key(b); };
  if (std::is_sorted(order.begin(), order.end(), keyBefore)) return;
  std::stable_sort(order.begin(), order.end(), keyBefore);
  std::vector<std::unique_ptr<TListEntry>> sorted;
  sorted.reserve(entries.size());
  for (size_t index : order) sorted.push_back(std::move(entries[index]));
  entries = std::move(sorted);
}

// Case-insensitive, as the control's own search: the whole caption, or its start.
bool Matches(const std::string& caption, const std::string& text, bool partial) {
  if (!partial) return lstrcmpiA(caption.c_str(), text.c_str()) == 0;
  if (caption.size() < text.size()) return false;
  return CompareStringA(LOCALE_USER_DEFAULT, NORM_IGNORECASE, caption.data(),
                        static_cast<int>(text.size()), text.data(),
                        static_cast<int>(text.size())) == CSTR_EQUAL;
}

// Measures captions in the control's font, as the control measures its labels: from a
// table of character widths where every character is one byte, else text by text.
class TCaptionMeter {
 public:
  explicit TCaptionMeter(HWND control) : dc_(CreateCompatibleDC(nullptr)) {
    if (!dc_) return;
    HGDIOBJ font = reinterpret_cast<HGDIOBJ>(SendMessageA(control, WM_GETFONT, 0, 0));
    oldFont_ = SelectObject(dc_, font ? font : GetStockObject(DEFAULT_GUI_FONT));
    CPINFO codePage{};
    byWidths_ = GetCPInfo(CP_ACP, &codePage) && codePage.MaxCharSize == 1 &&
                GetCharWidth32A(dc_, 0, 255, widths_);
  }
  TCaptionMeter(const TCaptionMeter&) = delete;
  TCaptionMeter& operator=(const TCaptionMeter&) = delete;
  ~TCaptionMeter() {
    if (!dc_) return;
    if (oldFont_) SelectObject(dc_, oldFont_);
    DeleteDC(dc_);
  }

  int Width(const std::string& caption) const {
    if (!dc_) return static_cast<int>(caption.size());
    if (byWidths_) {
      int width = 0;
      for (unsigned char c : caption) width += widths_[c];
      return width;
    }
    SIZE size{};
    GetTextExtentPoint32A(dc_, caption.data(), static_cast<int>(caption.size()), &size);
    return size.cx;
  }

 private:
  HDC dc_;
  HGDIOBJ oldFont_ = nullptr;
  bool byWidths_ = false;
  INT widths_[256] = {};
};

std::string Narrow(const wchar_t* text) {
  if (!text) return {};
  const int size = WideCharToMultiByte(CP_ACP, 0, text, -1, nullptr, 0, nullptr, nullptr);
  if (size <= 1) return {};
  std::string narrow(static_cast<size_t>(size), '\0');
  WideCharToMultiByte(CP_ACP, 0, text, -1, narrow.data(), size, nullptr, nullptr);
  narrow.resize(static_cast<size_t>(size) - 1);
  return narrow;
}

}  // namespace

TProfileListView::TProfileListView(HWND parent, int id, HIMAGELIST smallImages) {
  window_ = CreateWindowExA(WS_EX_CLIENTEDGE, WC_LISTVIEWA, "", kStyle, 0, 0, 0, 0, parent,
                            reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                            GetModuleHandleA(nullptr), nullptr);
  if (!window_) throw std::runtime_error("Cannot create the profile list");
  SendMessageA(window_, LVM_SETIMAGELIST, LVSIL_SMALL, reinterpret_cast<LPARAM>(smallImages));
}

// The control takes an image list's size when the list is set: the same list is set again.
void TProfileListView::ImagesChanged() {
  const LRESULT images = SendMessageA(window_, LVM_GETIMAGELIST, LVSIL_SMALL, 0);
  SendMessageA(window_, LVM_SETIMAGELIST, LVSIL_SMALL, 0);
  SendMessageA(window_, LVM_SETIMAGELIST, LVSIL_SMALL, images);
}

// --- Entries ---------------------------------------------------------------------------

TListEntry& TProfileListView::Append(std::string caption, TNetInfo profile) {
  entries_.push_back(
      std::make_unique<TListEntry>(TListEntry{std::move(caption), std::move(profile)}));
  TListEntry& entry = *entries_.back();
  if (!updating_) {
    ShowCount();
    WidenFor(entry.Caption);
  }
  return entry;
}

void TProfileListView::SortByCaption() {
  const auto sortedEnd = entries_.begin() + static_cast<std::ptrdiff_t>(sortedCount_);
  if (sortedCount_ == 0) {
    SortAllByKeys(entries_);
  } else {
    // Only the entries appended since the last sort are out of place: each goes after
    // the equal captions before it, as a stable sort of the whole list would put it.
    std::stable_sort(sortedEnd, entries_.end(), CaptionBefore);
    for (size_t index = sortedCount_; index < entries_.size(); ++index) {
      const auto first = entries_.begin();
      const auto current = first + static_cast<std::ptrdiff_t>(index);
      const auto place = std::upper_bound(first, current, *current, CaptionBefore);
      std::rotate(place, current, current + 1);
    }
  }
  sortedCount_ = entries_.size();
  if (!updating_) {
    ShowTracked();
    InvalidateRect(window_, nullptr, TRUE);
  }
}

// The control learns of the appended entries at the end, in one step.
void TProfileListView::BeginUpdate(int expected) {
  updating_ = true;
  if (expected > 0) entries_.reserve(entries_.size() + static_cast<size_t>(expected));
}

void TProfileListView::EndUpdate() {
  updating_ = false;
  ShowCount();
  ShowTracked();
  InvalidateRect(window_, nullptr, TRUE);
}

TListEntry* TProfileListView::EntryAt(int index) const {
  if (index < 0 || index >= Count()) return nullptr;
  return entries_[static_cast<size_t>(index)].get();
}

TListEntry* TProfileListView::EntryCaptioned(const std::string& caption) const {
  for (const auto& entry : entries_) {
    if (entry->Caption == caption) return entry.get();
  }
  return nullptr;
}

int TProfileListView::IndexOf(const TListEntry* entry) const {
  if (!entry) return -1;
  const auto found = std::find_if(entries_.begin(), entries_.end(),
                                  [&](const auto& candidate) { return candidate.get() == entry; });
  return found == entries_.end() ? -1 : static_cast<int>(found - entries_.begin());
}

void TProfileListView::SetCaption(TListEntry& entry, const std::string& caption) {
  const int index = IndexOf(&entry);
  if (index < 0) return;
  if (OnChanging) OnChanging();
  entry.Caption = caption;
  MoveToSortedPlace(static_cast<size_t>(index));
  WidenFor(caption);
  ShowTracked();
  InvalidateRect(window_, nullptr, TRUE);
  if (OnChanged) OnChanged();
}

void TProfileListView::MoveToSortedPlace(size_t index) {
  if (index >= sortedCount_) {  // not placed yet: the next sort places it
    SortByCaption();
    return;
  }
  // The others stay in order: the entry goes among them by binary search, keeping its
  // position relative to equal captions, as a stable sort of the whole list would.
  std::unique_ptr<TListEntry> moving = std::move(entries_[index]);
  entries_.erase(entries_.begin() + static_cast<std::ptrdiff_t>(index));
  const auto sortedEnd = entries_.begin() + static_cast<std::ptrdiff_t>(sortedCount_ - 1);
  const auto equal = std::equal_range(entries_.begin(), sortedEnd, moving, CaptionBefore);
  const auto place =
      std::clamp(entries_.begin() + static_cast<std::ptrdiff_t>(index), equal.first, equal.second);
  entries_.insert(place, std::move(moving));
}

void TProfileListView::Remove(TListEntry& entry) {
  const int index = IndexOf(&entry);
  if (index < 0) return;
  const bool wasSelected = &entry == selected_;
  if (wasSelected && OnChanging) OnChanging();
  if (&entry == selected_) selected_ = nullptr;
  if (&entry == focused_) focused_ = nullptr;
  entries_.erase(entries_.begin() + index);
  if (static_cast<size_t>(index) < sortedCount_) --sortedCount_;
  ShowCount();
  ShowTracked();
  if (wasSelected && OnChanged) OnChanged();
}

void TProfileListView::RedrawAll() {
  InvalidateRect(window_, nullptr, TRUE);
  UpdateWindow(window_);
}

// Wine's list view places every item of an auto-arranged view anew whenever drawing is
// switched back on, and at its first paint with items it measures the label of every
// item and places them all, invalidating each item it moves: with thousands of entries
// that costs more than the rest of the start together. So the items are placed while
// the control is not drawing (switching drawing back on then moves nothing), and the
// first measuring is done on a single item captioned as the widest entry.
void TProfileListView::ShowCount() {
  if (!laidOut_ && !entries_.empty()) LayOutFirst();
  showingState_ = true;
  SendMessageA(window_, WM_SETREDRAW, FALSE, 0);
  SendMessageA(window_, LVM_SETITEMCOUNT, entries_.size(), LVSICF_NOSCROLL);
  SendMessageA(window_, LVM_ARRANGE, LVA_DEFAULT, 0);
  SendMessageA(window_, WM_SETREDRAW, TRUE, 0);
  showingState_ = false;
}

void TProfileListView::LayOutFirst() {
  widestCaption_ = WidestCaption();
  measuredCaption_ = &widestCaption_;
  showingState_ = true;
  SendMessageA(window_, LVM_SETITEMCOUNT, 1, LVSICF_NOSCROLL);
  if (HDC screen = GetDC(window_)) {
    // A paint into a memory device context: the control lays itself out; nothing shows.
    if (HDC memory = CreateCompatibleDC(screen)) {
      SendMessageA(window_, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(memory), PRF_CLIENT);
      DeleteDC(memory);
    }
    ReleaseDC(window_, screen);
  }
  showingState_ = false;
  measuredCaption_ = nullptr;
  laidOut_ = true;
}

void TProfileListView::WidenFor(const std::string& caption) {
  if (!laidOut_) return;
  TCaptionMeter meter(window_);
  if (meter.Width(caption) <= meter.Width(widestCaption_)) return;
  widestCaption_ = caption;
  // Setting the spacing (0: kept as it is) makes the control measure its items anew.
  SendMessageA(window_, LVM_SETICONSPACING, 0, 0);
  ShowCount();
  InvalidateRect(window_, nullptr, TRUE);
}

std::string TProfileListView::WidestCaption() const {
  TCaptionMeter meter(window_);
  const std::string* widest = nullptr;
  int widestWidth = -1;
  for (const auto& entry : entries_) {
    const int width = meter.Width(entry->Caption);
    if (width > widestWidth) {
      widestWidth = width;
      widest = &entry->Caption;
    }
  }
  return widest ? *widest : std::string();
}

// --- Selection and focus ----------------------------------------------------------------

int TProfileListView::ControlIndex(UINT flag) const {
  if (flag == LVNI_SELECTED) {
    // Searching for the selected item visits every item before it (Wine): first the
    // cheap answers, none selected or still the tracked one.
    if (SendMessageA(window_, LVM_GETSELECTEDCOUNT, 0, 0) == 0) return -1;
    const int tracked = IndexOf(selected_);
    if (tracked >= 0 &&
        SendMessageA(window_, LVM_GETITEMSTATE, static_cast<WPARAM>(tracked), LVIS_SELECTED))
      return tracked;
  }
  return static_cast<int>(
      SendMessageA(window_, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), MAKELPARAM(flag, 0)));
}

void TProfileListView::SetControlState(int index, UINT mask, UINT state) {
  LVITEMA item{};
  item.stateMask = mask;
  item.state = state;
  SendMessageA(window_, LVM_SETITEMSTATE, static_cast<WPARAM>(index),
               reinterpret_cast<LPARAM>(&item));
}

void TProfileListView::Select(int index) {
  if (!EntryAt(index)) return;
  ClearSelection();
  SetControlState(index, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
  FollowControl();
}

void TProfileListView::ClearSelection() {
  // Only the selected item: clearing "all items" visits every item of the control.
  const int selected = ControlIndex(LVNI_SELECTED);
  if (selected >= 0) SetControlState(selected, LVIS_SELECTED, 0);
  FollowControl();
}

void TProfileListView::FollowControl() {
  if (showingState_) return;
  TListEntry* selected = EntryAt(ControlIndex(LVNI_SELECTED));
  TListEntry* focused = EntryAt(ControlIndex(LVNI_FOCUSED));
  // The focus is only kept on its entry: the editor follows the selection alone (on
  // Wine the focus reaches the new entry after its selection, once it is loaded).
  focused_ = focused;
  if (selected == selected_) return;
  if (OnChanging) OnChanging();
  selected_ = selected;
  if (OnChanged) OnChanged();
}

void TProfileListView::ShowTracked() {
  if (updating_) return;
  showingState_ = true;
  const int selected = IndexOf(selected_);
  const int focused = IndexOf(focused_);
  const int shownSelected = ControlIndex(LVNI_SELECTED);
  const int shownFocused = ControlIndex(LVNI_FOCUSED);
  if (shownSelected >= 0 && shownSelected != selected)
    SetControlState(shownSelected, LVIS_SELECTED, 0);
  if (shownFocused >= 0 && shownFocused != focused) SetControlState(shownFocused, LVIS_FOCUSED, 0);
  if (selected >= 0 && shownSelected != selected)
    SetControlState(selected, LVIS_SELECTED, LVIS_SELECTED);
  if (focused >= 0 && shownFocused != focused) {
    SetControlState(focused, LVIS_FOCUSED, LVIS_FOCUSED);
  }
  if (selected >= 0) SendMessageA(window_, LVM_SETSELECTIONMARK, 0, selected);
  showingState_ = false;
}

// --- The control's questions ------------------------------------------------------------

void TProfileListView::GiveDisplayInfo(NMLVDISPINFOA& info) const {
  const TListEntry* entry = EntryAt(info.item.iItem);
  if (!entry) return;
  const std::string& caption = measuredCaption_ ? *measuredCaption_ : entry->Caption;
  if ((info.item.mask & LVIF_TEXT) && info.item.pszText && info.item.cchTextMax > 0) {
    lstrcpynA(info.item.pszText, caption.c_str(), info.item.cchTextMax);
  }
  if (info.item.mask & LVIF_IMAGE) info.item.iImage = kEntryImage;
}

void TProfileListView::GiveDisplayInfo(NMLVDISPINFOW& info) const {
  const TListEntry* entry = EntryAt(info.item.iItem);
  if (!entry) return;
  const std::string& caption = measuredCaption_ ? *measuredCaption_ : entry->Caption;
  if ((info.item.mask & LVIF_TEXT) && info.item.pszText && info.item.cchTextMax > 0) {
    const int written = MultiByteToWideChar(CP_ACP, 0, caption.c_str(), -1, info.item.pszText,
                                            info.item.cchTextMax);
    if (written == 0) info.item.pszText[info.item.cchTextMax - 1] = L'\0';  // cut short
  }
  if (info.item.mask & LVIF_IMAGE) info.item.iImage = kEntryImage;
}

int TProfileListView::Find(const std::string& text, UINT flags, int start) const {
  const int count = Count();
  if (count == 0 || !(flags & (LVFI_STRING | LVFI_PARTIAL))) return -1;
  const bool partial = (flags & LVFI_PARTIAL) != 0;
  start = std::clamp(start, 0, count);
  const int stop = (flags & LVFI_WRAP) ? start + count : count;
  for (int step = start; step < stop; ++step) {
    const int index = step % count;
    if (Matches(entries_[static_cast<size_t>(index)]->Caption, text, partial)) return index;
  }
  return -1;
}

bool TProfileListView::HandleNotify(const NMHDR& header, LPARAM lParam, LRESULT& result) {
  result = 0;
  switch (header.code) {
    case LVN_GETDISPINFOA:
      GiveDisplayInfo(*reinterpret_cast<NMLVDISPINFOA*>(lParam));
      return true;
    case LVN_GETDISPINFOW:
      GiveDisplayInfo(*reinterpret_cast<NMLVDISPINFOW*>(lParam));
      return true;
    case LVN_ODFINDITEMA: {
      const auto& find = *reinterpret_cast<const NMLVFINDITEMA*>(lParam);
      result = Find(find.lvfi.psz ? find.lvfi.psz : "", find.lvfi.flags, find.iStart);
      return true;
    }
    case LVN_ODFINDITEMW: {
      const auto& find = *reinterpret_cast<const NMLVFINDITEMW*>(lParam);
      result = Find(Narrow(find.lvfi.psz), find.lvfi.flags, find.iStart);
      return true;
    }
    case LVN_ITEMCHANGED:
    case LVN_ODSTATECHANGED:
      FollowControl();
      return true;
    case NM_CUSTOMDRAW:
      result = CustomDraw(*reinterpret_cast<NMLVCUSTOMDRAW*>(lParam));
      return true;
    default:
      return false;
  }
}

void TProfileListView::SetEmptyText(std::string text) {
  emptyText_ = std::move(text);
  if (entries_.empty()) InvalidateRect(window_, nullptr, TRUE);
}

// The empty text goes over the list's own painting, once it is done.
LRESULT TProfileListView::CustomDraw(NMLVCUSTOMDRAW& draw) const {
  const bool showsEmptyText = entries_.empty() && !emptyText_.empty();
  if (draw.nmcd.dwDrawStage == CDDS_PREPAINT)
    return showsEmptyText ? CDRF_NOTIFYPOSTPAINT : CDRF_DODEFAULT;
  if (draw.nmcd.dwDrawStage != CDDS_POSTPAINT || !showsEmptyText) return CDRF_DODEFAULT;
  RECT area;
  GetClientRect(window_, &area);
  const int margin = MulDiv(8, static_cast<int>(GetDpiForWindow(window_)), USER_DEFAULT_SCREEN_DPI);
  InflateRect(&area, -margin, -margin);
  const int oldMode = SetBkMode(draw.nmcd.hdc, TRANSPARENT);
  const COLORREF oldColor = SetTextColor(draw.nmcd.hdc, GetSysColor(COLOR_GRAYTEXT));
  const HGDIOBJ oldFont = SelectObject(
      draw.nmcd.hdc, reinterpret_cast<HGDIOBJ>(SendMessageA(window_, WM_GETFONT, 0, 0)));
  DrawTextA(draw.nmcd.hdc, emptyText_.c_str(), static_cast<int>(emptyText_.size()), &area,
            DT_CENTER | DT_WORDBREAK | DT_NOPREFIX);
  SelectObject(draw.nmcd.hdc, oldFont);
  SetTextColor(draw.nmcd.hdc, oldColor);
  SetBkMode(draw.nmcd.hdc, oldMode);
  return CDRF_DODEFAULT;
}
