// The second yardstick of the start-up benchmark: what the system itself charges for a
// window like Ardenix's main window. Ardenix's window and controls (toolbar with six image
// buttons and tooltips, status bar, two panels with a splitter between them, small-icon
// list view, combo box, check box, seven labels, six edit fields), with the same
// manifest (common controls 6, visual styles, per-monitor DPI), at their places, in plain
// Win32: no store, no notification-area icon, no program logic. Closed by WM_CLOSE.
#include <windows.h>

#include <commctrl.h>

#include "YardstickWindow.h"

namespace {

constexpr int kPanLeftWidth = 185;
constexpr int kSplitterWidth = 3;
constexpr int kEditorX = 8;

struct TEditorControl {
  int y;
  int width;
  int height;
  const char* className;
  const char* text;
  DWORD style;
  DWORD exStyle;
};

constexpr DWORD kChild = WS_CHILD | WS_VISIBLE;
constexpr DWORD kEdit = kChild | WS_TABSTOP | ES_AUTOHSCROLL;
constexpr const char* kBlank = "   .   .   .   ";
constexpr TEditorControl kEditor[] = {
    {8, 200, 13, "STATIC", "LAN Name:", kChild, 0},
    {24, 225, 141, WC_COMBOBOXA, "Local Area Connection",
     kChild | WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWN | CBS_AUTOHSCROLL, 0},
    {64, 92, 17, WC_BUTTONA, "DHCP", kChild | WS_TABSTOP | BS_AUTOCHECKBOX, 0},
    {88, 200, 13, "STATIC", "IP:", kChild, 0},
    {104, 222, 21, "EDIT", kBlank, kEdit, WS_EX_CLIENTEDGE},
    {128, 200, 13, "STATIC", "Subnet Mask:", kChild, 0},
    {144, 223, 21, "EDIT", kBlank, kEdit, WS_EX_CLIENTEDGE},
    {168, 200, 13, "STATIC", "Default Gateway:", kChild, 0},
    {184, 224, 21, "EDIT", kBlank, kEdit, WS_EX_CLIENTEDGE},
    {208, 200, 13, "STATIC", "Preferred DNS:", kChild, 0},
    {224, 225, 21, "EDIT", kBlank, kEdit, WS_EX_CLIENTEDGE},
    {248, 200, 13, "STATIC", "Alternate DNS:", kChild, 0},
    {264, 225, 21, "EDIT", kBlank, kEdit, WS_EX_CLIENTEDGE},
    {288, 200, 13, "STATIC", "WINS:", kChild, 0},
    {304, 226, 21, "EDIT", kBlank, kEdit, WS_EX_CLIENTEDGE},
};

HWND Child(const char* className, const char* text, DWORD style, DWORD exStyle, HWND parent,
           RECT place, HFONT font) {
  HWND window = CreateWindowExA(exStyle, className, text, style, place.left, place.top,
                                place.right - place.left, place.bottom - place.top, parent,
                                nullptr, GetModuleHandleA(nullptr), nullptr);
  if (window && font) SendMessageA(window, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
  return window;
}

HWND MakeToolBar(HWND parent, HIMAGELIST images) {
  HWND toolBar = Child(TOOLBARCLASSNAMEA, "",
                       kChild | TBSTYLE_FLAT | TBSTYLE_TOOLTIPS | CCS_TOP | CCS_NODIVIDER, 0,
                       parent, RECT{}, nullptr);
  SendMessageA(toolBar, TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
  SendMessageA(toolBar, TB_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(images));
  TBBUTTON buttons[11]{};
  for (int index = 0; index < 11; ++index) {
    TBBUTTON& button = buttons[index];
    const bool separator = index % 2 == 1;
    button.iBitmap = separator ? 8 : index / 2;
    button.idCommand = separator ? 0 : 100 + index;
    button.fsState = separator ? 0 : TBSTATE_ENABLED;
    button.fsStyle = separator ? BTNS_SEP : BTNS_BUTTON;
    button.iString = -1;
  }
  SendMessageA(toolBar, TB_ADDBUTTONSA, 11, reinterpret_cast<LPARAM>(buttons));
  SendMessageA(toolBar, TB_AUTOSIZE, 0, 0);
  return toolBar;
}

// Six plain coloured squares stand for the toolbar's images.
HIMAGELIST MakeImages() {
  HIMAGELIST images = ImageList_Create(16, 16, ILC_COLOR32 | ILC_MASK, 8, 8);
  BITMAPINFO info{};
  info.bmiHeader = {sizeof info.bmiHeader, 16 * 8, -16, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
  void* bits = nullptr;
  HBITMAP strip = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  if (bits) {
    auto* pixel = static_cast<DWORD*>(bits);
    for (int i = 0; i < 16 * 16 * 8; ++i) pixel[i] = 0xFF000000u | (0x201000u * ((i % 128) / 16));
  }
  ImageList_Add(images, strip, nullptr);
  DeleteObject(strip);
  return images;
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int showCommand) {
  INITCOMMONCONTROLSEX controls{sizeof controls, ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES};
  InitCommonControlsEx(&controls);
  if (!RegisterYardstickClass(instance, "ControlsWindow")) return 1;
  HWND window = CreateWindowExA(
      0, "ControlsWindow", "Controls window",
      WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | WS_MINIMIZEBOX | WS_CLIPCHILDREN,
      372, 266, 440, 411, nullptr, nullptr, instance, nullptr);
  if (!window) return 1;

  LOGFONTA logFont{};
  logFont.lfHeight = -MulDiv(8, static_cast<int>(GetDpiForWindow(window)), 72);
  logFont.lfWeight = FW_NORMAL;
  logFont.lfCharSet = DEFAULT_CHARSET;
  lstrcpynA(logFont.lfFaceName, "MS Sans Serif", LF_FACESIZE);
  HFONT font = CreateFontIndirectA(&logFont);
  HIMAGELIST images = MakeImages();

  HWND toolBar = MakeToolBar(window, images);
  HWND statusBar = Child(STATUSCLASSNAMEA, "Torvane", kChild | SBARS_SIZEGRIP, 0, window, RECT{},
                         font);
  RECT client, toolRect, statusRect;
  GetClientRect(window, &client);
  GetWindowRect(toolBar, &toolRect);
  GetWindowRect(statusBar, &statusRect);
  const int top = toolRect.bottom - toolRect.top;
  const int height = client.bottom - (statusRect.bottom - statusRect.top) - top;
  const DWORD panel = kChild | WS_CLIPCHILDREN;
  HWND panLeft = Child("STATIC", "", panel, 0, window, RECT{0, top, kPanLeftWidth, top + height},
                       nullptr);
  Child("STATIC", "", kChild | SS_NOTIFY, 0, window,
        RECT{kPanLeftWidth, top, kPanLeftWidth + kSplitterWidth, top + height}, nullptr);
  HWND panRight =
      Child("STATIC", "", panel | SS_NOTIFY, 0, window,
            RECT{kPanLeftWidth + kSplitterWidth, top, client.right, top + height}, nullptr);
  HWND list = Child(WC_LISTVIEWA, "",
                    kChild | WS_TABSTOP | LVS_SMALLICON | LVS_AUTOARRANGE | LVS_SHOWSELALWAYS |
                        LVS_SINGLESEL | LVS_EDITLABELS | LVS_OWNERDATA,
                    WS_EX_CLIENTEDGE, panLeft, RECT{0, 0, kPanLeftWidth, height}, font);
  ListView_SetImageList(list, images, LVSIL_SMALL);
  for (const TEditorControl& control : kEditor) {
    Child(control.className, control.text, control.style, control.exStyle, panRight,
          RECT{kEditorX, control.y, kEditorX + control.width, control.y + control.height}, font);
  }

  ShowWindow(window, showCommand);
  SetFocus(list);
  MSG message;
  while (GetMessageA(&message, nullptr, 0, 0) > 0) {
    if (IsDialogMessageA(window, &message)) continue;
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
  DeleteObject(font);
  ImageList_Destroy(images);
  return 0;
}
