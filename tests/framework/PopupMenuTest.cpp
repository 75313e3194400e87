#include "PopupMenu.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ImageList.h"
#include "TestApplication.h"

namespace {

struct TShownItem {
  std::string Text;  // "-" for a separator line
  bool HasBitmap;
  UINT State;
  UINT Id;
};

std::vector<TShownItem> ReadMenu(HMENU menu) {
  std::vector<TShownItem> shown;
  const int count = GetMenuItemCount(menu);
  for (int i = 0; i < count; ++i) {
    char text[256] = {};
    MENUITEMINFOA info{};
    info.cbSize = sizeof info;
    info.fMask = MIIM_FTYPE | MIIM_STRING | MIIM_BITMAP | MIIM_STATE | MIIM_ID;
    info.dwTypeData = text;
    info.cch = sizeof text;
    EXPECT_TRUE(GetMenuItemInfoA(menu, static_cast<UINT>(i), TRUE, &info));
    const bool line = (info.fType & MFT_SEPARATOR) != 0;
    shown.push_back({line ? "-" : text, info.hbmpItem != nullptr,
                     info.fState & (MFS_DEFAULT | MFS_DISABLED), info.wID});
  }
  return shown;
}

std::vector<std::string> Texts(const std::vector<TShownItem>& items) {
  std::vector<std::string> texts;
  for (const TShownItem& item : items) texts.push_back(item.Text);
  return texts;
}

HICON MakeSolidIcon() {
  HDC screen = GetDC(nullptr);
  BitmapHandle colour(CreateCompatibleBitmap(screen, 16, 16));
  ReleaseDC(nullptr, screen);
  BitmapHandle mask(CreateBitmap(16, 16, 1, 1, nullptr));
  MemoryDCHandle dc(CreateCompatibleDC(nullptr));
  HGDIOBJ previous = SelectObject(dc.Get(), mask.Get());
  PatBlt(dc.Get(), 0, 0, 16, 16, BLACKNESS);
  SelectObject(dc.Get(), previous);
  ICONINFO info{TRUE, 0, 0, mask.Get(), colour.Get()};
  return CreateIconIndirect(&info);
}

// The tray menu's fixed part with two profiles before it.
class PopupMenuTest : public ApplicationTest {
 protected:
  void SetUp() override {
    ApplicationTest::SetUp();
    images = new TImageList(nullptr);
    for (int i = 0; i < 2; ++i) {
      IconHandle icon(MakeSolidIcon());
      images->AddIcon(icon.Get());
    }
    menu = new TPopupMenu(nullptr);
    menu->SetImages(images);
  }
  void TearDown() override {
    delete menu;
    delete images;
    ApplicationTest::TearDown();
  }
  void AddTrayItems() {
    menu->Add("R&D", 0, [this](TObject* s) { clicked.push_back(Caption(s)); });
    menu->Add("Home", 0, [this](TObject* s) { clicked.push_back(Caption(s)); });
    menu->Add("-");
    menu->Add("&Configure", 1, [this](TObject* s) { clicked.push_back(Caption(s)); });
    menu->Add("-");
    menu->Add("E&xit", -1, [this](TObject* s) { clicked.push_back(Caption(s)); });
  }
  static std::string Caption(TObject* sender) { return static_cast<TMenuItem*>(sender)->Caption; }

  TImageList* images = nullptr;
  TPopupMenu* menu = nullptr;
  std::vector<std::string> clicked;
};

TEST_F(PopupMenuTest, ItemsKeepTheirCaptionsAndShowTheirImages) {
  AddTrayItems();
  menu->Items(3).Default = true;
  menu->Items(1).Enabled = false;
  TBuiltMenu built = menu->BuildMenu();
  const std::vector<TShownItem> shown = ReadMenu(built.Menu.Get());
  EXPECT_EQ(Texts(shown),
            (std::vector<std::string>{"R&D", "Home", "-", "&Configure", "-", "E&xit"}));
  const std::vector<bool> bitmaps{true, true, false, true, false, false};
  for (size_t i = 0; i < shown.size(); ++i) EXPECT_EQ(shown[i].HasBitmap, bitmaps[i]) << i;
  EXPECT_EQ(shown[3].State, static_cast<UINT>(MFS_DEFAULT));
  EXPECT_EQ(shown[1].State & MFS_DISABLED, static_cast<UINT>(MFS_DISABLED));
  EXPECT_EQ(shown[0].State, 0u);
}

TEST_F(PopupMenuTest, AnEmptyCaptionIsAnItemThatCanBeChosenNotALine) {
  menu->Add("", 0, [this](TObject* s) { clicked.push_back(Caption(s).empty() ? "empty" : "?"); });
  menu->Add("-");
  menu->Add("After");
  TBuiltMenu built = menu->BuildMenu();
  const std::vector<TShownItem> shown = ReadMenu(built.Menu.Get());
  EXPECT_EQ(Texts(shown), (std::vector<std::string>{"", "-", "After"}));
  EXPECT_EQ(shown[0].State & MFS_DISABLED, 0u);
  menu->TrackFunction = [](HMENU, int, int, HWND) -> UINT { return 1; };
  menu->Popup(0, 0);
  EXPECT_EQ(clicked, (std::vector<std::string>{"empty"}));
}

TEST_F(PopupMenuTest, AnImageIsTheListsPictureWithItsAlpha) {
  menu->Add("Solid", 0);
  TBuiltMenu built = menu->BuildMenu();
  ASSERT_EQ(built.Bitmaps.size(), 1u);
  BITMAP bitmap{};
  ASSERT_TRUE(GetObjectA(built.Bitmaps[0].Get(), sizeof bitmap, &bitmap));
  EXPECT_EQ(bitmap.bmWidth, 16);
  EXPECT_EQ(bitmap.bmHeight, 16);
  EXPECT_EQ(bitmap.bmBitsPixel, 32);
  ASSERT_NE(bitmap.bmBits, nullptr);
  // The icon is black and opaque everywhere: alpha 255, colour 0.
  const auto* pixels = static_cast<const unsigned int*>(bitmap.bmBits);
  EXPECT_EQ(pixels[0], 0xFF000000u);
  EXPECT_EQ(pixels[16 * 16 - 1], 0xFF000000u);
}

struct LineCase {
  std::vector<std::string> Captions;  // "(x)": an item that is not Visible
  std::vector<std::string> Shown;
};

class LineReduction : public PopupMenuTest, public testing::WithParamInterface<LineCase> {};

TEST_P(LineReduction, HidesSeparatorsFirstLastAndDoubled) {
  for (const std::string& caption : GetParam().Captions) {
    TMenuItem& item = menu->Add(caption == "(x)" ? "hidden" : caption);
    item.Visible = caption != "(x)";
  }
  TBuiltMenu built = menu->BuildMenu();
  EXPECT_EQ(Texts(ReadMenu(built.Menu.Get())), GetParam().Shown);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, LineReduction,
    testing::Values(
        // The tray menu without profiles: the leading separator goes.
        LineCase{{"-", "&Configure", "-", "E&xit"}, {"&Configure", "-", "E&xit"}},
        LineCase{{"A", "-", "&Configure", "-", "E&xit"}, {"A", "-", "&Configure", "-", "E&xit"}},
        LineCase{{"-", "-", "A", "-", "-", "-", "B", "-", "-"}, {"A", "-", "B"}},
        LineCase{{"A", "-", "(x)", "-", "B"}, {"A", "-", "B"}}, LineCase{{"A", "(x)", "-"}, {"A"}},
        LineCase{{"-", "-"}, {}}, LineCase{{}, {}}));

TEST_F(PopupMenuTest, WithoutLineReductionEverySeparatorShows) {
  menu->AutoLineReduction = false;
  for (const char* caption : {"-", "A", "-", "-"}) menu->Add(caption);
  TBuiltMenu built = menu->BuildMenu();
  EXPECT_EQ(Texts(ReadMenu(built.Menu.Get())), (std::vector<std::string>{"-", "A", "-", "-"}));
}

TEST_F(PopupMenuTest, AutomaticHotkeysMarkOnlyTheBuiltText) {
  menu->AutoHotkeys = true;
  for (const char* caption : {"Alpha", "al", "E&xit", "x-ray"}) menu->Add(caption);
  TBuiltMenu built = menu->BuildMenu();
  EXPECT_EQ(Texts(ReadMenu(built.Menu.Get())),
            (std::vector<std::string>{"&Alpha", "a&l", "E&xit", "x-&ray"}));
  EXPECT_EQ(menu->Items(0).Caption, "Alpha");
}

TEST_F(PopupMenuTest, PopupRaisesOnPopupFirstThenRunsTheChosenItemAfterTheMenuCloses) {
  std::vector<std::string> log;
  menu->OnPopup = [&](TObject* sender) {
    EXPECT_EQ(sender, menu);
    log.push_back("popup");
    menu->Clear();
    AddTrayItems();  // rebuilt here, as the tray menu is
  };
  size_t tracks = 0;
  menu->TrackFunction = [&](HMENU built, int x, int y, HWND owner) -> UINT {
    EXPECT_EQ(clicked.size(), tracks++);  // the click of this popup comes afterwards
    const std::vector<TShownItem> shown = ReadMenu(built);
    log.push_back("track " + std::to_string(shown.size()) + " at " + std::to_string(x) + "," +
                  std::to_string(y));
    EXPECT_EQ(owner, app->Handle());
    return shown[1].Id;  // "Home"
  };
  menu->Popup(10, 20);
  menu->Popup(10, 20);
  EXPECT_EQ(log,
            (std::vector<std::string>{"popup", "track 6 at 10,20", "popup", "track 6 at 10,20"}));
  EXPECT_EQ(clicked, (std::vector<std::string>{"Home", "Home"}));
}

TEST_F(PopupMenuTest, NothingRunsWhenTheMenuIsDismissed) {
  AddTrayItems();
  menu->TrackFunction = [](HMENU, int, int, HWND) -> UINT { return 0; };
  menu->Popup(0, 0);
  EXPECT_TRUE(clicked.empty());
}

// The chosen command names an item of the menu as it was shown; once the items have been
// rebuilt (a nested popup's OnPopup, a timer), it names nothing.
TEST_F(PopupMenuTest, ItemsRebuiltWhileTheMenuIsOpenRunNothing) {
  AddTrayItems();
  menu->TrackFunction = [&](HMENU built, int, int, HWND) -> UINT {
    const UINT home = ReadMenu(built)[1].Id;
    menu->Clear();
    menu->Add("Other", -1, [this](TObject* s) { clicked.push_back(Caption(s)); });
    menu->Add("Another", -1, [this](TObject* s) { clicked.push_back(Caption(s)); });
    AddTrayItems();
    return home;
  };
  menu->Popup(0, 0);
  EXPECT_TRUE(clicked.empty());
  menu->TrackFunction = [&](HMENU built, int, int, HWND) -> UINT { return ReadMenu(built)[1].Id; };
  menu->Popup(0, 0);
  EXPECT_EQ(clicked, (std::vector<std::string>{"Another"})) << "the next popup chooses as usual";
}

TEST_F(PopupMenuTest, MenuDestroyedWhileOpenRunsNothing) {
  AddTrayItems();
  TPopupMenu* open = menu;
  open->TrackFunction = [&](HMENU built, int, int, HWND) -> UINT {
    const UINT home = ReadMenu(built)[1].Id;
    delete menu;
    menu = nullptr;
    return home;
  };
  open->Popup(0, 0);
  EXPECT_TRUE(clicked.empty());
}

TEST_F(PopupMenuTest, MenuDestroyedByOnPopupShowsNothing) {
  AddTrayItems();
  bool tracked = false;
  TPopupMenu* open = menu;
  open->OnPopup = [&](TObject*) {
    delete menu;
    menu = nullptr;
  };
  open->TrackFunction = [&](HMENU, int, int, HWND) -> UINT {
    tracked = true;
    return 1;
  };
  open->Popup(0, 0);
  EXPECT_FALSE(tracked);
  EXPECT_TRUE(clicked.empty());
}

TEST_F(PopupMenuTest, TheRealMenuReturnsTheItemChosenWithTheKeyboard) {
  AddTrayItems();
  // The menu's own loop reads these: down to the second item, then Enter.
  PostMessageA(app->Handle(), WM_KEYDOWN, VK_DOWN, 0);
  PostMessageA(app->Handle(), WM_KEYDOWN, VK_DOWN, 0);
  PostMessageA(app->Handle(), WM_KEYDOWN, VK_RETURN, 0);
  SetForegroundWindow(app->Handle());
  menu->Popup(100, 100);
  EXPECT_EQ(clicked, (std::vector<std::string>{"Home"}));
}

TEST_F(PopupMenuTest, DestroyingTheImageListLeavesTheMenuWithoutImages) {
  AddTrayItems();
  delete images;
  images = nullptr;
  EXPECT_EQ(menu->Images(), nullptr);
  TBuiltMenu built = menu->BuildMenu();
  EXPECT_TRUE(built.Bitmaps.empty());
  EXPECT_EQ(ReadMenu(built.Menu.Get()).size(), 6u);
}

TEST_F(PopupMenuTest, ImagesOfTheSameOwnerAreClearedToo) {
  TComponent form(nullptr);
  auto* list = new TImageList(&form);
  auto* owned = new TPopupMenu(&form);
  owned->SetImages(list);
  delete list;
  EXPECT_EQ(owned->Images(), nullptr);
}

TEST(MenuItem, ClickRunsOnClickOnlyWhenEnabled) {
  int clicks = 0;
  TMenuItem item("A", -1, [&](TObject*) { ++clicks; });
  item.Click();
  item.Enabled = false;
  item.Click();
  EXPECT_EQ(clicks, 1);
  TMenuItem line("-", -1, {});
  EXPECT_TRUE(line.IsLine());
  line.Click();  // no handler: nothing
}

}  // namespace
