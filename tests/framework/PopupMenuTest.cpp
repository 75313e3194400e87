#include "PopupMenu.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "ImageList.h"
#include "TestApplication.h"

namespace {

// A 32-bit top-down bitmap selected into a memory DC for drawing; its pixels read back,
// top row first, as 0x00RRGGBB.
class TPixelCanvas {
 public:
  TPixelCanvas(int width, int height) : width_(width), height_(height) {
    BITMAPINFO info{};
    info.bmiHeader = {sizeof info.bmiHeader, width, -height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    bitmap_.Reset(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits_, nullptr, 0));
    previous_ = SelectObject(dc_.Get(), bitmap_.Get());
  }
  ~TPixelCanvas() { SelectObject(dc_.Get(), previous_); }
  TPixelCanvas(const TPixelCanvas&) = delete;
  TPixelCanvas& operator=(const TPixelCanvas&) = delete;

  HDC Dc() const { return dc_.Get(); }
  std::vector<unsigned int> Pixels() const {
    GdiFlush();
    const auto* pixels = static_cast<const unsigned int*>(bits_);
    std::vector<unsigned int> read(pixels, pixels + width_ * height_);
    for (unsigned int& pixel : read) pixel &= 0x00FFFFFFu;
    return read;
  }

 private:
  int width_;
  int height_;
  void* bits_ = nullptr;
  BitmapHandle bitmap_;
  MemoryDCHandle dc_{CreateCompatibleDC(nullptr)};
  HGDIOBJ previous_ = nullptr;
};

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
    info.fMask = MIIM_FTYPE | MIIM_STRING | MIIM_BITMAP | MIIM_STATE | MIIM_ID | MIIM_DATA;
    info.dwTypeData = text;
    info.cch = sizeof text;
    EXPECT_TRUE(GetMenuItemInfoA(menu, static_cast<UINT>(i), TRUE, &info));
    const bool line = (info.fType & MFT_SEPARATOR) != 0;
    // An item without an image keeps the image's place, blank.
    const bool blank = info.hbmpItem == HBMMENU_CALLBACK && info.dwItemData == TPopupMenu::kBlankImage;
    shown.push_back({line ? "-" : text, info.hbmpItem != nullptr && !blank,
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
  // Exit has no image but keeps the image's place, so that its text is measured where it
  // is drawn.
  MENUITEMINFOA exitItem{};
  exitItem.cbSize = sizeof exitItem;
  exitItem.fMask = MIIM_BITMAP | MIIM_DATA;
  ASSERT_TRUE(GetMenuItemInfoA(built.Menu.Get(), 5, TRUE, &exitItem));
  EXPECT_EQ(exitItem.hbmpItem, HBMMENU_CALLBACK);
  EXPECT_EQ(exitItem.dwItemData, TPopupMenu::kBlankImage);
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

// A menu item's picture drawn by the application window, as the system asks for it while
// the menu is open: on a background of kFace, the image of an image list whose images are
// `side` x `side`, transparent but for a red square in the middle.
class MenuImageDrawing : public ApplicationTest, public testing::WithParamInterface<int> {
 protected:
  static constexpr COLORREF kFace = RGB(0x33, 0x66, 0x99);
  static constexpr int kMargin = 5;  // the place given is this much larger on each side

  void SetUp() override {
    ApplicationTest::SetUp();
    const int side = GetParam();
    images = std::make_unique<TImageList>(nullptr, side, side);
    std::vector<unsigned int> strip(static_cast<size_t>(side * side), 0u);
    for (int y = side / 4; y < side - side / 4; ++y) {
      for (int x = side / 4; x < side - side / 4; ++x) {
        strip[static_cast<size_t>(y * side + x)] = 0xFFFF0000u;
      }
    }
    images->AddStrip(strip.data(), strip.size() * sizeof strip[0]);
    menu = std::make_unique<TPopupMenu>(nullptr);
    menu->SetImages(images.get());
    menu->Add("Home", 0);
  }
  void TearDown() override {
    menu.reset();
    images.reset();
    ApplicationTest::TearDown();
  }

  // The owner's answer to WM_MEASUREITEM for the item, or nothing when it does not answer.
  static std::optional<SIZE> Measure(HWND owner, UINT id) {
    MEASUREITEMSTRUCT item{};
    item.CtlType = ODT_MENU;
    item.itemID = id;
    if (!SendMessageA(owner, WM_MEASUREITEM, 0, reinterpret_cast<LPARAM>(&item))) return {};
    return SIZE{static_cast<LONG>(item.itemWidth), static_cast<LONG>(item.itemHeight)};
  }

  // The item's image drawn by the owner into a place of the image's size plus the margin,
  // painted kFace first; the pixels read back, top row first, 0x00RRGGBB.
  static std::vector<unsigned int> Draw(HWND owner, HMENU shown, UINT id, int side) {
    const int place = side + 2 * kMargin;
    TPixelCanvas canvas(place, place);
    RECT all{0, 0, place, place};
    HBRUSH face = CreateSolidBrush(kFace);
    FillRect(canvas.Dc(), &all, face);
    DeleteObject(face);
    MENUITEMINFOA item{};
    item.cbSize = sizeof item;
    item.fMask = MIIM_DATA;
    GetMenuItemInfoA(shown, id, FALSE, &item);
    DRAWITEMSTRUCT draw{};
    draw.CtlType = ODT_MENU;
    draw.itemID = id;
    draw.itemAction = ODA_DRAWENTIRE;
    draw.hwndItem = reinterpret_cast<HWND>(shown);
    draw.hDC = canvas.Dc();
    draw.rcItem = all;
    draw.itemData = item.dwItemData;
    SendMessageA(owner, WM_DRAWITEM, 0, reinterpret_cast<LPARAM>(&draw));
    return canvas.Pixels();
  }

  std::unique_ptr<TImageList> images;
  std::unique_ptr<TPopupMenu> menu;
};

TEST_P(MenuImageDrawing, IsTheListsSizeAndTransparentOnTheItemsFace) {
  const int side = GetParam();
  const int place = side + 2 * kMargin;
  const unsigned int face = 0x336699u;  // kFace read back as 0x00RRGGBB
  std::optional<SIZE> measured;
  std::vector<unsigned int> drawn;
  menu->TrackFunction = [&](HMENU shown, int, int, HWND owner) -> UINT {
    measured = Measure(owner, 1);
    drawn = Draw(owner, shown, 1, side);
    return 0;
  };
  menu->Popup(0, 0);
  ASSERT_TRUE(measured.has_value()) << "the owner did not measure the image";
  EXPECT_EQ(measured->cx, side);
  EXPECT_EQ(measured->cy, side);
  ASSERT_EQ(drawn.size(), static_cast<size_t>(place * place));
  const auto at = [&](int x, int y) { return drawn[static_cast<size_t>(y * place + x)]; };
  // Centred: the image's transparent corners keep the face, its middle is red.
  EXPECT_EQ(at(kMargin, kMargin), face);
  EXPECT_EQ(at(kMargin + side - 1, kMargin + side - 1), face);
  EXPECT_EQ(at(place / 2, place / 2), 0xFF0000u);
  EXPECT_EQ(at(kMargin + side / 4, kMargin + side / 4), 0xFF0000u);
  EXPECT_EQ(at(kMargin + side / 4 - 1, kMargin + side / 4), face);
  // Once the menu has closed the window answers no more.
  EXPECT_FALSE(Measure(app->Handle(), 1).has_value());
}

INSTANTIATE_TEST_SUITE_P(Scales, MenuImageDrawing, testing::Values(16, 24, 32));

// The menu as the system shows it: no pixel of the item is black (its caption is a blank,
// so only the image could be), and the image's red is there.
TEST_P(MenuImageDrawing, ShownMenuHasNoBlackAroundTheImage) {
  struct TRead {
    HMENU Menu = nullptr;
    std::vector<unsigned int> Item;  // the item's pixels, 0x00RRGGBB
  };
  static TRead read;
  read = {};
  menu->Items(0).Caption = " ";
  menu->TrackFunction = [](HMENU shown, int x, int y, HWND owner) -> UINT {
    read.Menu = shown;
    // Reads the item once the menu is drawn, from inside the menu's loop, then closes it.
    SetTimer(nullptr, 0, 300, [](HWND, UINT, UINT_PTR timer, DWORD) {
      KillTimer(nullptr, timer);
      if (HWND window = FindWindowA("#32768", nullptr)) UpdateWindow(window);
      RECT item{};
      if (GetMenuItemRect(nullptr, read.Menu, 0, &item)) {
        const int width = item.right - item.left;
        const int height = item.bottom - item.top;
        TPixelCanvas copy(width, height);
        HDC screen = GetDC(nullptr);
        BitBlt(copy.Dc(), 0, 0, width, height, screen, item.left, item.top, SRCCOPY);
        ReleaseDC(nullptr, screen);
        read.Item = copy.Pixels();
      }
      EndMenu();
    });
    SetForegroundWindow(owner);
    const BOOL chosen =
        TrackPopupMenu(shown, TPM_RETURNCMD | TPM_NONOTIFY, x, y, 0, owner, nullptr);
    return chosen > 0 ? static_cast<UINT>(chosen) : 0u;
  };
  menu->Popup(200, 200);
  ASSERT_FALSE(read.Item.empty()) << "the menu's item was not found on the screen";
  EXPECT_NE(std::find(read.Item.begin(), read.Item.end(), 0xFF0000u), read.Item.end())
      << "the image was not drawn";
  EXPECT_EQ(std::count(read.Item.begin(), read.Item.end(), 0u), 0)
      << "black in the item: the image's transparency is lost";
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
  const std::vector<TShownItem> shown = ReadMenu(built.Menu.Get());
  EXPECT_EQ(shown.size(), 6u);
  for (const TShownItem& item : shown) EXPECT_FALSE(item.HasBitmap) << item.Text;
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
