// The profile list on its own: a real list-view control in a window that passes the
// control's notifications to the list, as the main window does.
#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include <memory>
#include <random>
#include <stdexcept>
#include <string>
#include <vector>

#include "ProfileListView.h"

namespace {

constexpr int kListId = 7;

// A top-level window holding the list and answering its notifications through it.
class THostWindow {
 public:
  THostWindow() {
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = &THostWindow::WindowProc;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.lpszClassName = "ProfileListHost";
    RegisterClassA(&windowClass);  // again for every host: fails harmlessly
    window_ = CreateWindowExA(0, "ProfileListHost", "", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 360,
                              300, nullptr, nullptr, GetModuleHandleA(nullptr), this);
    if (!window_) throw std::runtime_error("no host window (is there a display?)");
    images_ = ImageList_Create(16, 16, ILC_COLOR32, 1, 0);
    list_ = std::make_unique<TProfileListView>(window_, kListId, images_);
    MoveWindow(list_->Handle(), 0, 0, 340, 260, TRUE);
  }
  THostWindow(const THostWindow&) = delete;
  THostWindow& operator=(const THostWindow&) = delete;
  ~THostWindow() {
    DestroyWindow(window_);
    list_.reset();
    ImageList_Destroy(images_);
  }

  TProfileListView& List() { return *list_; }

 private:
  static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
      const auto* create = reinterpret_cast<const CREATESTRUCTA*>(lParam);
      SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
    }
    auto* self = reinterpret_cast<THostWindow*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    return self ? self->HandleMessage(window, message, wParam, lParam)
                : DefWindowProcA(window, message, wParam, lParam);
  }

  LRESULT HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NOTIFY && list_) {
      LRESULT result = 0;
      if (list_->HandleNotify(*reinterpret_cast<const NMHDR*>(lParam), lParam, result))
        return result;
    }
    return DefWindowProcA(window, message, wParam, lParam);
  }

  HWND window_ = nullptr;
  HIMAGELIST images_ = nullptr;
  std::unique_ptr<TProfileListView> list_;
};

class ProfileListViewTest : public testing::Test {
 protected:
  ProfileListViewTest() {
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_LISTVIEW_CLASSES};
    InitCommonControlsEx(&controls);
    host_ = std::make_unique<THostWindow>();
    List().OnChanging = [this] { events_.push_back("changing:" + SelectedCaption()); };
    List().OnChanged = [this] { events_.push_back("changed:" + SelectedCaption()); };
  }

  TProfileListView& List() { return host_->List(); }
  HWND Control() { return List().Handle(); }

  void Fill(const std::vector<std::string>& captions) {
    List().BeginUpdate(static_cast<int>(captions.size()));
    for (size_t index = 0; index < captions.size(); ++index) {
      TNetInfo profile;
      profile.LAN = std::to_string(index);  // which one it was, among equal captions
      List().Append(captions[index], profile);
    }
    List().SortByCaption();
    List().EndUpdate();
    Pump();
  }

  std::string SelectedCaption() {
    const TListEntry* entry = List().Selected();
    return entry ? entry->Caption : "";
  }

  std::string ShownText(int index) {
    char text[256] = {};
    LVITEMA item{};
    item.pszText = text;
    item.cchTextMax = sizeof text;
    SendMessageA(Control(), LVM_GETITEMTEXTA, index, reinterpret_cast<LPARAM>(&item));
    return text;
  }

  int ShownSelection() {
    return static_cast<int>(SendMessageA(Control(), LVM_GETNEXTITEM, static_cast<WPARAM>(-1),
                                         MAKELPARAM(LVNI_SELECTED, 0)));
  }

  void Click(int index) {
    RECT icon{};
    icon.left = LVIR_ICON;
    ASSERT_TRUE(SendMessageA(Control(), LVM_GETITEMRECT, index, reinterpret_cast<LPARAM>(&icon)));
    const LPARAM point = MAKELPARAM((icon.left + icon.right) / 2, (icon.top + icon.bottom) / 2);
    PostMessageA(Control(), WM_LBUTTONUP, 0, point);
    SendMessageA(Control(), WM_LBUTTONDOWN, MK_LBUTTON, point);
    Pump();
  }

  void Pump() {
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&message);
      DispatchMessageA(&message);
    }
  }

  std::unique_ptr<THostWindow> host_;
  std::vector<std::string> events_;
};

// Every neighbour in list order as lstrcmpA orders them; with `inArrivalOrder`, equal
// captions in the order they came.
void ExpectCaptionOrder(TProfileListView& list, bool inArrivalOrder) {
  for (int index = 1; index < list.Count(); ++index) {
    const TListEntry& before = *list.EntryAt(index - 1);
    const TListEntry& after = *list.EntryAt(index);
    const int order = lstrcmpA(before.Caption.c_str(), after.Caption.c_str());
    ASSERT_LE(order, 0) << "\"" << before.Caption << "\" before \"" << after.Caption << "\"";
    if (order == 0 && inArrivalOrder) {
      ASSERT_LT(std::stoi(before.Profile.LAN), std::stoi(after.Profile.LAN)) << after.Caption;
    }
  }
}

TEST_F(ProfileListViewTest, SortsLikeLstrcmpAAndKeepsEqualCaptionsInTheirOrder) {
  // Case, digits, punctuation that the locale weighs lightly, letters beyond ASCII,
  // blanks, empty captions and repeats.
  std::vector<std::string> captions = {"beta",  "Alpha", "alpha", "Zeta", "",   "co-op",     "coop",
                                       "co'op", "10",    "9",     "a b",  "ab", "\xE9t\xE9", "ete",
                                       "Ete",   "beta",  "",      "_x",   "~y", "Beta"};
  std::mt19937 random(5);
  const std::string alphabet = "aAbBzZ09-' ._~\xE9\xC9\xDF";
  std::uniform_int_distribution<size_t> length(0, 6);
  std::uniform_int_distribution<size_t> letter(0, alphabet.size() - 1);
  for (int count = 0; count < 3000; ++count) {
    std::string caption;
    for (size_t size = length(random); size > 0; --size) caption += alphabet[letter(random)];
    captions.push_back(caption);
  }
  Fill(captions);
  ASSERT_EQ(List().Count(), static_cast<int>(captions.size()));
  ExpectCaptionOrder(List(), true);

  // New captions take their places among the others the same way.
  for (int step = 0; step < 200; ++step) {
    TListEntry& entry = *List().EntryAt(static_cast<int>(step * 13 % List().Count()));
    List().SetCaption(entry, captions[static_cast<size_t>(step * 7) % captions.size()]);
  }
  ExpectCaptionOrder(List(), false);
}

TEST_F(ProfileListViewTest, TheControlShowsEveryEntrysCaptionWithTheProfileImage) {
  Fill({"Office", "Home", "Lab"});
  ASSERT_EQ(SendMessageA(Control(), LVM_GETITEMCOUNT, 0, 0), 3);
  EXPECT_EQ(ShownText(0), "Home");
  EXPECT_EQ(ShownText(1), "Lab");
  EXPECT_EQ(ShownText(2), "Office");
  LVITEMA item{};
  item.mask = LVIF_IMAGE;
  item.iItem = 2;
  item.iImage = -1;
  ASSERT_TRUE(SendMessageA(Control(), LVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item)));
  EXPECT_EQ(item.iImage, 0);

  List().Append("Current Configuration", TNetInfo{});
  List().SortByCaption();
  EXPECT_EQ(SendMessageA(Control(), LVM_GETITEMCOUNT, 0, 0), 4);
  EXPECT_EQ(ShownText(0), "Current Configuration");
}

TEST_F(ProfileListViewTest, AClickReportsTheEntryLeftBeforeTheEntryReached) {
  Fill({"alpha", "beta", "gamma"});
  Click(2);
  EXPECT_EQ(SelectedCaption(), "gamma");
  events_.clear();
  Click(0);
  EXPECT_EQ(SelectedCaption(), "alpha");
  ASSERT_GE(events_.size(), 2u);
  EXPECT_EQ(events_.front(), "changing:gamma");
  EXPECT_EQ(events_.back(), "changed:alpha");
  for (const auto& event : events_) EXPECT_NE(event, "changing:alpha");  // not before loaded
}

TEST_F(ProfileListViewTest, TheSelectionFollowsItsEntryWhenItsCaptionMovesIt) {
  Fill({"alpha", "beta", "gamma"});
  Click(0);
  TListEntry* alpha = List().Selected();
  ASSERT_NE(alpha, nullptr);
  events_.clear();
  List().SetCaption(*alpha, "zulu");
  EXPECT_EQ(List().Selected(), alpha);
  EXPECT_EQ(List().SelectedIndex(), 2);
  EXPECT_EQ(ShownSelection(), 2);
  EXPECT_EQ(ShownText(2), "zulu");
  EXPECT_EQ(events_, (std::vector<std::string>{"changing:alpha", "changed:zulu"}));

  // Another entry's new caption moves the selected one: the selection stays on it.
  List().SetCaption(*List().EntryAt(0), "zz top");
  EXPECT_EQ(List().Selected(), alpha);
  EXPECT_EQ(ShownSelection(), List().SelectedIndex());
}

TEST_F(ProfileListViewTest, ClearingAndRemovingTheSelectedEntryReportTheChange) {
  Fill({"alpha", "beta", "gamma"});
  Click(1);
  events_.clear();
  List().ClearSelection();
  EXPECT_EQ(List().Selected(), nullptr);
  EXPECT_EQ(ShownSelection(), -1);
  EXPECT_EQ(events_, (std::vector<std::string>{"changing:beta", "changed:"}));

  Click(1);
  events_.clear();
  List().Remove(*List().Selected());
  EXPECT_EQ(events_, (std::vector<std::string>{"changing:beta", "changed:"}));
  EXPECT_EQ(List().Count(), 2);
  EXPECT_EQ(SendMessageA(Control(), LVM_GETITEMCOUNT, 0, 0), 2);
  EXPECT_EQ(ShownSelection(), -1);
  EXPECT_EQ(ShownText(1), "gamma");
}

TEST_F(ProfileListViewTest, TypingALetterSelectsTheNextEntryStartingWithIt) {
  Fill({"alpha", "Office", "beta", "oak"});  // alpha beta oak Office
  SetFocus(Control());
  SendMessageA(Control(), WM_CHAR, 'o', 1);  // typed once
  Pump();
  EXPECT_EQ(SelectedCaption(), "oak");
  Sleep(1100);  // the control forgets what was typed after a second
  SendMessageA(Control(), WM_CHAR, 'O', 1);
  Pump();
  EXPECT_EQ(SelectedCaption(), "Office");
}

TEST_F(ProfileListViewTest, AWiderCaptionWidensTheItems) {
  Fill({"a", "b"});
  auto itemWidth = [&] {
    RECT bounds{};
    bounds.left = LVIR_BOUNDS;
    SendMessageA(Control(), LVM_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&bounds));
    return bounds.right - bounds.left;
  };
  const int narrow = itemWidth();
  List().Append("A caption far wider than the default width of an item", TNetInfo{});
  List().SortByCaption();
  EXPECT_GT(itemWidth(), narrow);
}

}  // namespace
