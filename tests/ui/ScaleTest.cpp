// The main window when the screen's scale changes under it (WM_DPICHANGED, as the system
// sends it when the window moves to a monitor of another scale or the scale is changed),
// and a window placed inside the work area.
#include <windows.h>

#include <commctrl.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "EditorNetwork.h"
#include "MainWindowFixture.h"
#include "TrayMenu.h"
#include "ChildWindow.h"
#include "WorkAreaPlacement.h"
#include "res/Resources.h"

namespace {

SIZE IconSize(HIMAGELIST images) {
  int width = 0;
  int height = 0;
  ImageList_GetIconSize(images, &width, &height);
  return {width, height};
}

class ScaleChange : public MainWindowTest, public testing::WithParamInterface<int> {
 protected:
  void ChangeDpi(int dpi) {
    RECT bounds{};
    GetWindowRect(main_->Handle(), &bounds);
    bounds.right = bounds.left + MulDiv(440, dpi, 96);
    bounds.bottom = bounds.top + MulDiv(411, dpi, 96);
    SendMessageA(main_->Handle(), WM_DPICHANGED, MAKEWPARAM(dpi, dpi),
                 reinterpret_cast<LPARAM>(&bounds));
    Pump();
  }

  // The size the tray menu's image is measured at by the window that owns the menu.
  SIZE TrayImageSize() {
    SIZE size{};
    TPopupMenu& menu = main_->Tray().Menu().Menu();
    menu.TrackFunction = [&](HMENU, int, int, HWND owner) -> UINT {
      MEASUREITEMSTRUCT item{};
      item.CtlType = ODT_MENU;
      item.itemID = 1;  // the first profile
      SendMessageA(owner, WM_MEASUREITEM, 0, reinterpret_cast<LPARAM>(&item));
      size = {static_cast<LONG>(item.itemWidth), static_cast<LONG>(item.itemHeight)};
      return 0;
    };
    menu.Popup(0, 0);
    menu.TrackFunction = nullptr;
    return size;
  }
};

// 96 after another scale: the images go back to their drawn size.
TEST_P(ScaleChange, ImagesOfToolbarListAndTrayMenuFollowTheDpi) {
  WriteStore("[Home]\r\nLAN=Ethernet\r\nDHCP=1\r\n");
  Start();
  const int dpi = GetParam();
  const LONG side = MulDiv(16, dpi, 96);
  const int startHeight =
      static_cast<int>(HIWORD(SendMessageA(main_->ToolBar1(), TB_GETBUTTONSIZE, 0, 0)));
  ChangeDpi(dpi == 96 ? 192 : dpi);
  if (dpi == 96) ChangeDpi(96);

  EXPECT_EQ(main_->ImgList().Count(), IMG_COUNT);
  EXPECT_EQ(main_->ImgList().Width(), side);
  const auto toolbarImages =
      reinterpret_cast<HIMAGELIST>(SendMessageA(main_->ToolBar1(), TB_GETIMAGELIST, 0, 0));
  EXPECT_EQ(toolbarImages, main_->ImgList().Handle());
  EXPECT_EQ(IconSize(toolbarImages).cx, side);
  const int buttonHeight =
      static_cast<int>(HIWORD(SendMessageA(main_->ToolBar1(), TB_GETBUTTONSIZE, 0, 0)));
  EXPECT_GT(buttonHeight, side);
  EXPECT_EQ(buttonHeight - startHeight, side - 16) << "the buttons keep their padding";
  const auto listImages = reinterpret_cast<HIMAGELIST>(
      SendMessageA(main_->ListViewHandle(), LVM_GETIMAGELIST, LVSIL_SMALL, 0));
  EXPECT_EQ(IconSize(listImages).cy, side);
  const SIZE tray = TrayImageSize();
  EXPECT_EQ(tray.cx, side);
  EXPECT_EQ(tray.cy, side);
}

// A control's place in its parent's client area.
RECT PlaceInParent(HWND control) {
  RECT place{};
  GetWindowRect(control, &place);
  MapWindowPoints(nullptr, GetParent(control), reinterpret_cast<POINT*>(&place), 2);
  return place;
}

// The height `text` takes, wrapped as a static control wraps it, in the control's font
// at the control's width.
int WrappedHeight(HWND control, const std::string& text, int width) {
  HDC dc = GetDC(control);
  const HGDIOBJ old =
      SelectObject(dc, reinterpret_cast<HFONT>(SendMessageA(control, WM_GETFONT, 0, 0)));
  RECT bounds{0, 0, width, 0};
  DrawTextA(dc, text.c_str(), -1, &bounds,
            DT_CALCRECT | DT_WORDBREAK | DT_NOPREFIX | DT_EDITCONTROL | DT_EXPANDTABS);
  SelectObject(dc, old);
  ReleaseDC(control, dc);
  return bounds.bottom - bounds.top;
}

// The lines about the network below the address fields: inside the column of the fields,
// inside the panel (the window grows to hold them), apart from each other, and each text
// whole in its control, at every scale.
TEST_P(ScaleChange, TheNetworkLinesStayInTheColumnApartAndWhole) {
  WriteStore("[Home]\r\nLAN=Ethernet\r\nDHCP=1\r\nOnNetwork=switch\r\n");
  Start();
  const int dpi = GetParam();
  ChangeDpi(dpi == 96 ? 192 : dpi);
  if (dpi == 96) ChangeDpi(96);
  Select(0);

  TEditorNetwork& network = main_->Editor().Network();
  const struct {
    const char* name;
    HWND window;
  } controls[] = {{"WINS field", main_->Editor().AddressField(&TNetInfo::WINS)},
                  {"description", network.Description()},
                  {"choice label", network.ChoiceLabel()},
                  {"choice", network.Choice()},
                  {"Forget", network.Forget()},
                  {"hint", network.Hint()}};
  RECT panel{};
  GetClientRect(main_->PanRight(), &panel);
  // The screen here is 800 high: at 200 % the system keeps the window to the screen's
  // height, and only there may the panel be shorter than the editor.
  RECT window{};
  GetWindowRect(main_->Handle(), &window);
  const bool heldByTheScreen = window.bottom - window.top >= GetSystemMetrics(SM_CYMAXTRACK);
  std::vector<RECT> places;
  for (const auto& control : controls) {
    const RECT place = PlaceInParent(control.window);
    EXPECT_GE(place.left, MulDiv(8, dpi, 96)) << control.name;
    EXPECT_LE(place.right, MulDiv(234, dpi, 96)) << control.name;
    if (!heldByTheScreen) {
      EXPECT_LE(place.bottom, panel.bottom) << control.name;
    }
    for (std::size_t other = 0; other < places.size(); ++other) {
      RECT both{};
      EXPECT_FALSE(IntersectRect(&both, &place, &places[other]))
          << control.name << " overlaps " << controls[other].name;
    }
    places.push_back(place);
  }

  // The longest texts: the network not known yet, a Wi-Fi name of the most characters
  // a network name may have, the hint.
  const struct {
    HWND window;
    std::string text;
  } texts[] = {
      {network.Description(), "Network: not known yet; apply the profile once on its network"},
      {network.Description(), "Network: Wi-Fi \"" + std::string(32, 'W') + "\""},
      {network.Hint(), "An automatic switch brings up the elevation prompt by itself."},
      {network.ChoiceLabel(), WindowText(network.ChoiceLabel())},
  };
  for (const auto& text : texts) {
    const RECT place = PlaceInParent(text.window);
    EXPECT_LE(WrappedHeight(text.window, text.text, place.right - place.left),
              place.bottom - place.top)
        << text.text;
  }
  // The longest item beside the box's button, and the button's caption.
  COMBOBOXINFO box{};
  box.cbSize = sizeof box;
  ASSERT_TRUE(GetComboBoxInfo(network.Choice(), &box));
  EXPECT_LE(WrappedHeight(network.Choice(), "Switch automatically",
                          box.rcItem.right - box.rcItem.left),
            box.rcItem.bottom - box.rcItem.top);
  const RECT forget = PlaceInParent(network.Forget());
  EXPECT_LE(WrappedHeight(network.Forget(), "Forget", forget.right - forget.left - MulDiv(8, dpi, 96)),
            forget.bottom - forget.top);
}

INSTANTIATE_TEST_SUITE_P(Dpi, ScaleChange, testing::Values(144, 192, 96));

struct PlacementCase {
  const char* Name;
  RECT Window;  // as created, relative to the work area's top-left corner
  bool Moved;
};

class WorkArea : public testing::TestWithParam<PlacementCase> {};

// A plain top-level window, created where the case says, is inside the work area after.
TEST_P(WorkArea, WindowEndsInsideIt) {
  RECT work{};
  ASSERT_TRUE(SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0));
  const RECT& at = GetParam().Window;
  HWND window = CreateWindowExA(0, "STATIC", "placed", WS_POPUP, work.left + at.left,
                                work.top + at.top, at.right - at.left, at.bottom - at.top, nullptr,
                                nullptr, GetModuleHandleA(nullptr), nullptr);
  ASSERT_NE(window, nullptr);
  RECT before{};
  GetWindowRect(window, &before);
  MoveIntoWorkArea(window);
  RECT after{};
  GetWindowRect(window, &after);
  DestroyWindow(window);
  EXPECT_GE(after.left, work.left);
  EXPECT_GE(after.top, work.top);
  EXPECT_LE(after.right, work.right);
  EXPECT_LE(after.bottom, work.bottom);
  EXPECT_EQ(!EqualRect(&before, &after), GetParam().Moved);
}

const PlacementCase kPlacements[] = {
    {"DesignedPlaceAt100Stays", {372, 266, 812, 677}, false},
    {"At200PastTheBottomMovedAndCut", {372, 266, 1252, 1088}, true},
    {"PastTheRightMoved", {1100, 10, 1400, 200}, true},
};

INSTANTIATE_TEST_SUITE_P(Cases, WorkArea, testing::ValuesIn(kPlacements),
                         [](const testing::TestParamInfo<PlacementCase>& testCase) {
                           return std::string(testCase.param.Name);
                         });

}  // namespace
