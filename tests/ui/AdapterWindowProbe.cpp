// The main window with the computer's real adapters, for adapters-e2e.sh: made as the
// program makes it (the real adapter source, the store beside this probe), it drops the
// adapter box's list down, selects the first profile, presses Read Current Settings and
// opens the tray menu, then prints what a user would see, one "key=value" per line:
//   item=NAME            each item of the adapter box's list, in order
//   status=TEXT          the status bar's second part after the selection
//   LAN= DHCP= IP= SN= DG= DNS= ADNS= WINS=   the editor after Read Current Settings,
//                        the address fields with their spaces removed
//   error=TEXT           each error box shown
//   menu=CAPTION|1       each profile item of the tray menu, 1 when checked
//   tip=TEXT             the tray icon's tooltip
#include <windows.h>

#include <commctrl.h>

#include <cstdio>
#include <exception>
#include <string>
#include <string_view>
#include <vector>

#include "AboutForm.h"
#include "AddressEdit.h"
#include "Application.h"
#include "MainForm.h"
#include "ProfileEditor.h"
#include "ProfileFields.h"
#include "ProgramServices.h"
#include "TrayIcon.h"
#include "TrayMenu.h"
#include "TraySide.h"

namespace {

void Print(std::string_view key, const std::string& value) {
  std::printf("%.*s=%s\n", static_cast<int>(key.size()), key.data(), value.c_str());
}

std::string WithoutSpaces(std::string text) {
  std::erase(text, ' ');
  return text;
}

void PrintList(HWND box) {
  const int count = static_cast<int>(SendMessageA(box, CB_GETCOUNT, 0, 0));
  for (int index = 0; index < count; ++index) {
    char text[256] = {};
    SendMessageA(box, CB_GETLBTEXT, index, reinterpret_cast<LPARAM>(text));
    Print("item", text);
  }
}

void PrintEditor(TfrmMain& form) {
  TNetInfo shown;
  form.Editor().Commit(shown);
  Print("LAN", shown.LAN);
  Print("DHCP", shown.DHCP ? "1" : "0");
  for (const TAddressField& field : kAddressFields) {
    Print(field.Key, WithoutSpaces(shown.*field.Member));
  }
}

void PrintMenu(TfrmMain& form) {
  TPopupMenu& menu = form.Tray().Menu().Menu();
  menu.TrackFunction = [&](HMENU built, int, int, HWND) -> UINT {
    const int count = GetMenuItemCount(built);
    for (int position = 0; position < count; ++position) {
      char text[256] = {};
      MENUITEMINFOA info{};
      info.cbSize = sizeof info;
      info.fMask = MIIM_FTYPE | MIIM_STRING | MIIM_STATE;
      info.dwTypeData = text;
      info.cch = sizeof text;
      GetMenuItemInfoA(built, static_cast<UINT>(position), TRUE, &info);
      if (!form.Tray().Menu().EntryOf(position)) continue;  // the fixed commands
      Print("menu", std::string(text) + ((info.fState & MFS_CHECKED) ? "|1" : "|0"));
    }
    return 0u;
  };
  menu.Popup(0, 0);
  menu.TrackFunction = nullptr;
  Print("tip", form.Tray().Icon().Hint());
}

}  // namespace

int main() {
  INITCOMMONCONTROLSEX controls{sizeof controls, ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES};
  InitCommonControlsEx(&controls);
  try {
    TProgramServices services([] { return HWND{}; });

    TApplication application;
    application.Initialize(GetModuleHandleA(nullptr), SW_SHOWNORMAL);
    application.SetTitle("Ardenix");
    application.SetMessageBoxFunction([](HWND, const std::string& text, const std::string&, UINT) {
      Print("error", text);
      return IDOK;
    });
    auto* form = application.CreateForm<TfrmMain>(services.Core());
    form->Show();
    application.ProcessMessages();

    const HWND box = form->Editor().EdLAN();
    SendMessageA(box, CB_SHOWDROPDOWN, TRUE, 0);
    application.ProcessMessages();
    SendMessageA(box, CB_SHOWDROPDOWN, FALSE, 0);
    application.ProcessMessages();
    PrintList(box);

    form->List().Select(0);
    application.ProcessMessages();
    char status[512] = {};
    SendMessageA(form->StatusBar(), SB_GETTEXTA, 1, reinterpret_cast<LPARAM>(status));
    Print("status", status);

    SendMessageA(form->Handle(), WM_COMMAND, MAKEWPARAM(TfrmMain::cmReadCurrent, BN_CLICKED),
                 reinterpret_cast<LPARAM>(form->ToolBar1()));
    application.ProcessMessages();
    PrintEditor(*form);

    PrintMenu(*form);
    std::fflush(stdout);
    return 0;
  } catch (const std::exception& error) {
    std::printf("failed=%s\n", error.what());
    return 1;
  }
}
