// The program in the notification area, against the real main window: its icon, the tray
// menu rebuilt from the list, applying from the menu, Configure, Exit and the session end.
// The shell's callbacks are sent to the shared tray window as the shell sends them; the
// menu the program builds is read through the menu's tracking seam, which also picks the
// item a user would click.
#include <windows.h>

#include <commctrl.h>
#include <shellapi.h>

#include <algorithm>
#include <filesystem>
#include <functional>
#include <string>
#include <system_error>
#include <vector>

#include "MainWindowFixture.h"
#include "ProfileIni.h"
#include "ProfileListView.h"
#include "ShellRecorder.h"
#include "TestPump.h"
#include "SimpleTimer.h"
#include "TrayIcon.h"
#include "TrayMenu.h"

namespace {

using F = TfrmMain;
constexpr const char* kBlank = "   .   .   .   ";
// A new profile once the editor, which New points at it, has gone into it.
const TNetInfo kNewAsShown{"Local Area Connection", false, kBlank, kBlank, kBlank, kBlank, kBlank, kBlank};

// A static profile told apart by the last group of its address, 10.0.0.<last> (1 to 9).
TNetInfo Numbered(int last) {
  const std::string ip = "10 .0  .0  ." + std::to_string(last) + "  ";
  return TNetInfo{
      "Local Area Connection", false, ip, "255.255.255.0  ", kBlank, kBlank, kBlank, kBlank};
}

// What the script of a profile made by Numbered says about its address.
std::string AddressLine(int last) {
  return "source=static addr=10.0.0." + std::to_string(last) + " mask=255.255.255.0\r\n";
}

// One item of the menu as built for showing.
struct TShownItem {
  std::string Text;  // empty for a separator line
  bool Separator = false;
  bool Image = false;
  UINT Id = 0;
  bool Checked = false;
  friend bool operator==(const TShownItem&, const TShownItem&) = default;
};

std::vector<TShownItem> ReadMenu(HMENU menu) {
  std::vector<TShownItem> items;
  const int count = GetMenuItemCount(menu);
  for (int position = 0; position < count; ++position) {
    char text[256] = {};
    MENUITEMINFOA info{};
    info.cbSize = sizeof info;
    info.fMask = MIIM_FTYPE | MIIM_ID | MIIM_STRING | MIIM_BITMAP | MIIM_STATE | MIIM_DATA;
    info.dwTypeData = text;
    info.cch = sizeof text;
    GetMenuItemInfoA(menu, static_cast<UINT>(position), TRUE, &info);
    TShownItem item;
    item.Separator = (info.fType & MFT_SEPARATOR) != 0;
    item.Text = item.Separator ? std::string() : text;
    item.Image = info.hbmpItem != nullptr && info.dwItemData != TPopupMenu::kBlankImage;
    item.Id = info.wID;
    item.Checked = (info.fState & MFS_CHECKED) != 0;
    items.push_back(item);
  }
  return items;
}

std::vector<std::string> Texts(const std::vector<TShownItem>& items) {
  std::vector<std::string> texts;
  for (const TShownItem& item : items) texts.push_back(item.Separator ? "-" : item.Text);
  return texts;
}

// The main window with the shell's calls observed (and passed on to Wine's tray).
class TrayMenuTest : public MainWindowTest {
 protected:
  TrayMenuTest() { AddAdapter("Local Area Connection"); }

  using TChooser = std::function<UINT(const std::vector<TShownItem>&)>;

  // The stand-in netsh has ended at once; the script can go once the window has seen its
  // end and let go of the script it held.
  void RemoveScriptOnceLetGo() {
    PumpMessages(20000, [&] {
      std::error_code error;
      std::filesystem::remove(scriptPath_, error);
      return !error;
    });
    ASSERT_FALSE(std::filesystem::exists(scriptPath_)) << "the script is still held";
  }

  // The shell's callback for the program's icon, as the shell sends it.
  LRESULT TrayCallback(UINT notification) {
    const NOTIFYICONDATAA& record = main_->Tray().Icon().NotifyRecord();
    const LRESULT result = SendMessageA(record.hWnd, WM_TRAYICONCALLBACK, record.uID, notification);
    Pump();
    return result;
  }

  // A right press on the icon: the menu opens; `choose` picks the command of an item
  // (0: the menu is dismissed). Returns the menu as it was shown.
  std::vector<TShownItem> OpenMenu(const TChooser& choose = nullptr) {
    std::vector<TShownItem> shown;
    int opened = 0;
    main_->Tray().Menu().Menu().TrackFunction = [&](HMENU menu, int, int, HWND) -> UINT {
      ++opened;
      shown = ReadMenu(menu);
      return choose ? choose(shown) : 0u;
    };
    TrayCallback(WM_RBUTTONDOWN);
    TrayCallback(WM_RBUTTONUP);
    main_->Tray().Menu().Menu().TrackFunction = nullptr;
    EXPECT_EQ(opened, 1);
    return shown;
  }

  // Opens the menu and clicks the item at `index` among the menu's items (the list's
  // entries come first, in list order).
  void ClickItem(int index) {
    OpenMenu([&](const std::vector<TShownItem>& shown) {
      const UINT id = static_cast<UINT>(index + 1);
      const bool isShown = std::any_of(shown.begin(), shown.end(), [&](const TShownItem& item) {
        return item.Id == id && !item.Separator;
      });
      EXPECT_TRUE(isShown) << "item " << index << " cannot be chosen";
      return isShown ? id : 0u;
    });
  }

  // Opens the menu and clicks the shown item with this text.
  void ClickCommand(const std::string& text) {
    OpenMenu([&](const std::vector<TShownItem>& shown) {
      for (const TShownItem& item : shown) {
        if (!item.Separator && item.Text == text) return item.Id;
      }
      ADD_FAILURE() << "no item " << text;
      return 0u;
    });
  }

  // Renames an entry in place as the user does (the list's edit box, then Enter).
  void Rename(const TListEntry& entry, const std::string& caption) {
    int index = 0;
    while (main_->List().EntryAt(index) != &entry) ++index;
    HWND edit =
        reinterpret_cast<HWND>(SendMessageA(main_->ListViewHandle(), LVM_EDITLABELA, index, 0));
    ASSERT_NE(edit, nullptr);
    SetWindowTextA(edit, caption.c_str());
    PostMessageA(edit, WM_KEYDOWN, VK_RETURN, 0);
    PostMessageA(edit, WM_KEYUP, VK_RETURN, 0);
    Pump();
  }

  std::string Script() { return ReadFile(scriptPath_).value_or("(no script)"); }

  // A store of profiles "P1" to "P<count>", made by Numbered(1) to Numbered(count).
  void WriteNumberedStore(int count) {
    std::string store;
    for (int number = 1; number <= count; ++number) {
      std::string caption(1, 'P');
      caption += std::to_string(number);
      store += StoreSection(caption, Numbered(number));
    }
    WriteStore(store);
  }

  // The number Numbered gave the profile of the entry at `index` in list order.
  int NumberAt(int index) {
    const std::string& ip = main_->List().EntryAt(index)->Profile.IP;
    return ip.empty() ? 0 : ip[12] - '0';
  }

  TShellRecorder shell_{true};  // before Start: sees the icon from its first add
};

const TShownItem kSeparator{"", true, false, 0};

// Separators are compared as lines: their identifiers do not matter.
std::vector<TShownItem> WithoutIds(std::vector<TShownItem> items) {
  for (TShownItem& item : items) item.Id = 0;
  return items;
}

TEST_F(TrayMenuTest, WithoutProfilesTheMenuShowsConfigureALineAndExit) {
  Start();
  EXPECT_EQ(WithoutIds(OpenMenu()), (std::vector<TShownItem>{
                                        {"&Configure", false, true, 0},
                                        kSeparator,
                                        {"Start with Windows", false, false, 0},
                                        {"E&xit", false, false, 0},
                                    }));
}

TEST_F(TrayMenuTest, ProfilesComeFirstInListOrderWithTheirImageThenTheCommands) {
  struct TCase {
    const char* name;
    std::vector<std::string> sections;
    std::vector<std::string> shown;
  };
  const TCase cases[] = {
      {"one", {"Home"}, {"Home", "-", "&Configure", "-", "Start with Windows", "E&xit"}},
      {"several",
       {"Office", "Home", "Lab bench"},
       {"Home", "Lab bench", "Office", "-", "&Configure", "-", "Start with Windows", "E&xit"}},
  };
  for (const TCase& test : cases) {
    SCOPED_TRACE(test.name);
    std::string store;
    for (const std::string& caption : test.sections) store += StoreSection(caption, Numbered(1));
    WriteStore(store);
    Start();
    const std::vector<TShownItem> shown = OpenMenu();
    EXPECT_EQ(Texts(shown), test.shown);
    const size_t profiles = test.sections.size();
    for (size_t position = 0; position < shown.size(); ++position) {
      // Every profile and Configure show an image; lines, Start with Windows and Exit none.
      const bool image = position < profiles || shown[position].Text == "&Configure";
      EXPECT_EQ(shown[position].Image, image) << position;
    }
    // The images are the list's own: 0 for a profile, 1 for Configure.
    const TPopupMenu& menu = main_->Tray().Menu().Menu();
    EXPECT_EQ(menu.Images(), &main_->ImgList());
    for (size_t index = 0; index < profiles; ++index) {
      EXPECT_EQ(menu.Items(static_cast<int>(index)).ImageIndex, 0);
    }
    EXPECT_EQ(menu.Items(static_cast<int>(profiles) + 1).ImageIndex, 1);
    // The template is copied, never emptied.
    EXPECT_EQ(main_->Tray().Menu().Template().Count(), 5);
    application_.reset();
  }
}

TEST_F(TrayMenuTest, ChangesInTheWindowShowTheNextTimeTheMenuOpens) {
  WriteStore(StoreSection("Home", Numbered(1)));
  Start();
  const std::vector<std::string> commands{"-", "&Configure", "-", "Start with Windows", "E&xit"};
  auto expected = [&](std::vector<std::string> profiles) {
    profiles.insert(profiles.end(), commands.begin(), commands.end());
    return profiles;
  };
  EXPECT_EQ(Texts(OpenMenu()), expected({"Home"}));
  Press(F::cmNew);
  EXPECT_EQ(Texts(OpenMenu()), expected({"Current Configuration", "Home"}));
  Rename(*main_->List().EntryAt(1), "Away");
  EXPECT_EQ(Texts(OpenMenu()), expected({"Away", "Current Configuration"}));
  Select(0);
  Press(F::cmDelete);
  EXPECT_EQ(Texts(OpenMenu()), expected({"Current Configuration"}));
}

// Each item applies its own entry's profile, however the captions resemble each other;
// the list's selection and the editor are left alone.
struct TCaptionCase {
  const char* name;
  std::vector<std::string> captions;  // given to P1, P2, ... in turn
};

class TrayCaptionTest : public TrayMenuTest, public testing::WithParamInterface<TCaptionCase> {};

TEST_P(TrayCaptionTest, EachItemAppliesExactlyItsOwnProfile) {
  const std::vector<std::string>& captions = GetParam().captions;
  const int count = static_cast<int>(captions.size());
  WriteNumberedStore(count);
  Start();
  std::vector<TListEntry*> entries;
  for (int index = 0; index < count; ++index) entries.push_back(main_->List().EntryAt(index));
  for (int index = 0; index < count; ++index) {
    // What a confirmed in-place edit does (under Wine an empty text confirmed in the
    // list's edit box leaves the caption as it was, so the edit box is not used here).
    main_->List().SetCaption(*entries[static_cast<size_t>(index)],
                             captions[static_cast<size_t>(index)]);
  }
  const TListEntry* selected = main_->List().Selected();
  std::vector<std::string> listed;
  for (int index = 0; index < count; ++index)
    listed.push_back(main_->List().EntryAt(index)->Caption);
  ASSERT_TRUE(std::is_permutation(listed.begin(), listed.end(), captions.begin()))
      << testing::PrintToString(listed);

  for (int index = 0; index < count; ++index) {
    SCOPED_TRACE("item " + std::to_string(index) + " '" + listed[static_cast<size_t>(index)] + "'");
    RemoveScriptOnceLetGo();
    const size_t starts = starter_.Starts.size();
    const std::vector<TShownItem> shown = OpenMenu([&](const std::vector<TShownItem>& items) {
      return items.at(static_cast<size_t>(index)).Id;
    });
    // The caption stands in the menu exactly as in the list.
    EXPECT_EQ(shown.at(static_cast<size_t>(index)).Text, listed[static_cast<size_t>(index)]);
    EXPECT_NE(Script().find(AddressLine(NumberAt(index))), std::string::npos) << Script();
    EXPECT_EQ(starter_.Starts.size(), starts + 1);
  }
  EXPECT_EQ(main_->List().Selected(), selected);
}

INSTANTIATE_TEST_SUITE_P(
    Captions, TrayCaptionTest,
    testing::Values(TCaptionCase{"PrefixOfTheNext", {"Home", "Home office"}},
                    TCaptionCase{"PrefixOfTheFirst", {"Home office", "Home"}},
                    TCaptionCase{"Empty", {"", "Office"}},
                    TCaptionCase{"EmptyAmongOthers", {"Home", "", "Office"}},
                    TCaptionCase{"DifferInCaseOnly", {"lab", "Lab"}},
                    TCaptionCase{"Equal", {"Same", "Same"}},
                    TCaptionCase{"EqualAndAPrefix", {"Same", "Same", "Same place"}},
                    TCaptionCase{"Ampersand", {"R&D", "Sales"}}, TCaptionCase{"Single", {"Home"}}),
    [](const testing::TestParamInfo<TCaptionCase>& param) { return param.param.name; });

TEST_F(TrayMenuTest, AnAmpersandIsKeptAndNoAcceleratorIsAdded) {
  WriteStore(StoreSection("R&D", Numbered(1)) + StoreSection("Sales", Numbered(2)));
  Start();
  EXPECT_EQ(Texts(OpenMenu()),
            (std::vector<std::string>{"R&D", "Sales", "-", "&Configure", "-", "Start with Windows", "E&xit"}));
  ClickItem(0);
  EXPECT_NE(Script().find(AddressLine(1)), std::string::npos) << Script();
}

TEST_F(TrayMenuTest, AProfileCaptionedWithADashIsALineThatCannotBeChosen) {
  WriteNumberedStore(2);
  Start();
  Rename(*main_->List().EntryAt(0), "-");
  Rename(*main_->List().EntryAt(1), "Office");
  ASSERT_EQ(main_->List().EntryAt(0)->Caption, "-");
  // A line standing first is hidden.
  EXPECT_EQ(Texts(OpenMenu()),
            (std::vector<std::string>{"Office", "-", "&Configure", "-", "Start with Windows", "E&xit"}));
  ClickItem(1);
  EXPECT_NE(Script().find(AddressLine(NumberAt(1))), std::string::npos) << Script();
  EXPECT_EQ(starter_.Starts.size(), 1u);
}

// An item stands for the entry it was built from, not for a caption or a position.
TEST_F(TrayMenuTest, AnItemKeepsItsEntryUntilTheNextRebuildAndAGoneEntryAppliesNothing) {
  WriteNumberedStore(3);
  Start();
  TTrayMenu& tray = main_->Tray().Menu();
  tray.Rebuild();
  // P1 renamed so that it now stands last; P2 deleted.
  Rename(*main_->List().EntryAt(0), "Z");
  Select(0);
  ASSERT_EQ(main_->List().Selected()->Caption, "P2");
  Press(F::cmDelete);

  tray.Menu().Items(0).Click();  // built from P1
  EXPECT_NE(Script().find(AddressLine(1)), std::string::npos) << Script();
  RemoveScriptOnceLetGo();
  tray.Menu().Items(1).Click();  // built from P2, deleted since
  EXPECT_FALSE(ReadFile(scriptPath_).has_value());
  EXPECT_EQ(starter_.Starts.size(), 1u);
  tray.Menu().Items(2).Click();  // built from P3
  EXPECT_NE(Script().find(AddressLine(3)), std::string::npos) << Script();
  EXPECT_EQ(starter_.Starts.size(), 2u);
}

TEST_F(TrayMenuTest, ExitCommitsTheEditorAndWritesTheStoreThenEnds) {
  WriteStore(StoreSection("Office", Numbered(5)) + StoreSection("Home", Numbered(1)));
  Start();
  Select(1);  // Office
  SetField(&TNetInfo::WINS, "10.0.0.3");
  Press(F::cmNew);
  ClickCommand("E&xit");
  EXPECT_TRUE(application_->Terminated());
  EXPECT_TRUE(errors_.empty());
  TNetInfo office = Numbered(5);
  office.WINS = "10 .0  .0  .3  ";
  EXPECT_EQ(ReadStore(), IniFromProfiles({{"Current Configuration", kNewAsShown},
                                          {"Home", AsLoaded(Numbered(1))},
                                          {"Office", office}}));
}

TEST_F(TrayMenuTest, ExitWithAStoreThatCannotBeWrittenShowsTheErrorAndGoesOn) {
  Start();
  Press(F::cmNew);
  std::filesystem::create_directory(storePath_);
  ClickCommand("E&xit");
  ASSERT_EQ(errors_.size(), 1u);
  EXPECT_EQ(errors_[0], "Unable to write to " + storePath_ + ".");
  EXPECT_FALSE(application_->Terminated());
  EXPECT_TRUE(IsWindowVisible(main_->Handle()));
  EXPECT_TRUE(main_->Tray().Icon().IconVisible());

  std::filesystem::remove(storePath_);
  ClickCommand("E&xit");
  EXPECT_EQ(errors_.size(), 1u);
  EXPECT_TRUE(application_->Terminated());
  EXPECT_EQ(ReadStore(), IniFromProfiles({{"Current Configuration", kNewAsShown}}));
}

TEST_F(TrayMenuTest, ExitWhileHiddenInTheNotificationAreaSavesToo) {
  WriteStore(StoreSection("Home", Numbered(1)));
  Start();
  Press(F::cmNew);
  Press(F::cmMinimize);
  ClickCommand("E&xit");
  EXPECT_TRUE(application_->Terminated());
  EXPECT_EQ(ReadStore(), IniFromProfiles({{"Current Configuration", kNewAsShown},
                                          {"Home", AsLoaded(Numbered(1))}}));
}

// Log-off and shutdown: the session-end messages reach the program's top-level windows in
// an order nobody promises; the first of them saves.
TEST_F(TrayMenuTest, TheSessionEndSavesAtTheFirstMessageAndNeverObjects) {
  struct TCase {
    const char* name;
    bool queryToMainWindow;  // else only the application window hears of it
  };
  for (const TCase& test :
       {TCase{"main window asked first", true}, TCase{"only the application window told", false}}) {
    SCOPED_TRACE(test.name);
    WriteStore(StoreSection("Home", Numbered(1)));
    Start();
    Select(0);  // Home
    SetField(&TNetInfo::DG, "10.0.0.254");
    Press(F::cmNew);
    if (test.queryToMainWindow) {
      EXPECT_EQ(SendMessageA(main_->Handle(), WM_QUERYENDSESSION, 0, 0), TRUE);
      EXPECT_FALSE(application_->Terminated());
    }
    SendMessageA(application_->Handle(), WM_ENDSESSION, TRUE, 0);
    EXPECT_TRUE(application_->Terminated());
    TNetInfo home = Numbered(1);
    home.DG = "10 .0  .0  .254";
    EXPECT_EQ(ReadStore(),
              IniFromProfiles({{"Current Configuration", kNewAsShown}, {"Home", home}}));
    EXPECT_TRUE(errors_.empty());
    application_.reset();
  }
}

TEST_F(TrayMenuTest, ASessionEndWithAStoreThatCannotBeWrittenShowsNothingAndEnds) {
  Start();
  Press(F::cmNew);
  std::filesystem::create_directory(storePath_);
  EXPECT_EQ(SendMessageA(main_->Handle(), WM_QUERYENDSESSION, 0, 0), TRUE);
  EXPECT_EQ(SendMessageA(application_->Handle(), WM_QUERYENDSESSION, 0, 0), TRUE);
  SendMessageA(main_->Handle(), WM_ENDSESSION, TRUE, 0);
  SendMessageA(application_->Handle(), WM_ENDSESSION, TRUE, 0);
  EXPECT_TRUE(errors_.empty());
  EXPECT_TRUE(application_->Terminated());
}

TEST_F(TrayMenuTest, ASessionEndCalledOffSavesAgainNextTime) {
  Start();
  EXPECT_EQ(SendMessageA(main_->Handle(), WM_QUERYENDSESSION, 0, 0), TRUE);
  SendMessageA(main_->Handle(), WM_ENDSESSION, FALSE, 0);
  SendMessageA(application_->Handle(), WM_ENDSESSION, FALSE, 0);
  EXPECT_FALSE(application_->Terminated());
  Press(F::cmNew);
  EXPECT_EQ(SendMessageA(application_->Handle(), WM_QUERYENDSESSION, 0, 0), TRUE);
  EXPECT_EQ(ReadStore(), IniFromProfiles({{"Current Configuration", kNewAsShown}}));
}

TEST_F(TrayMenuTest, MinimiseHidesInTheNotificationAreaAndADoubleClickBringsTheEditorBack) {
  WriteStore(StoreSection("Home", Numbered(1)) + StoreSection("Office", Numbered(5)));
  Start();
  const UINT shellId = main_->Tray().Icon().ShellId();
  Select(1);
  SetField(&TNetInfo::IP, "10.0.0.99");  // not committed yet
  Press(F::cmMinimize);
  EXPECT_FALSE(IsWindowVisible(main_->Handle()));
  EXPECT_FALSE(IsWindowVisible(application_->Handle())) << "the taskbar button stays";
  for (UINT notification : {WM_LBUTTONDOWN, WM_LBUTTONUP, WM_LBUTTONDBLCLK, WM_LBUTTONUP}) {
    TrayCallback(notification);
  }
  EXPECT_TRUE(IsWindowVisible(main_->Handle()));
  EXPECT_TRUE(IsWindowVisible(application_->Handle()));
  EXPECT_FALSE(application_->IsMinimized());
  EXPECT_EQ(main_->List().SelectedIndex(), 1);
  EXPECT_EQ(Field(&TNetInfo::IP), "10 .0  .0  .99 ");
  EXPECT_EQ(main_->List().EntryAt(1)->Profile.IP, AsLoaded(Numbered(5)).IP) << "uncommitted";

  // The icon went in once, with its picture and the title as its tooltip (no profile in
  // force: there are no adapters), and never left.
  const std::vector<DWORD> messages = shell_.MessagesFor(shellId);
  EXPECT_GE(std::count(messages.begin(), messages.end(), static_cast<DWORD>(NIM_ADD)), 1);
  EXPECT_EQ(std::count(messages.begin(), messages.end(), static_cast<DWORD>(NIM_DELETE)), 0);
  for (const TShellRecorder::TCall& call : shell_.Calls) {
    if (call.Message != NIM_ADD) continue;
    EXPECT_NE(call.Record.hIcon, nullptr);
    EXPECT_STREQ(call.Record.szTip, "Ardenix");
  }
}

// Adapters for the profiles in force: "Ethernet" as Office wants it, "Wi-Fi" on DHCP.
TAdapterReading OfficeAndCafe() {
  TAdapterState ethernet;
  ethernet.FriendlyName = "Ethernet";
  ethernet.Up = true;
  ethernet.Addresses = {{"10.0.0.5", 24}};
  ethernet.Gateways = {"10.0.0.1"};
  ethernet.DnsServers = {"10.0.0.1"};
  TAdapterState wifi;
  wifi.FriendlyName = "Wi-Fi";
  wifi.Up = true;
  wifi.Dhcp = true;
  wifi.Addresses = {{"192.168.1.20", 24}};
  TAdapterReading reading;
  reading.Adapters = {ethernet, wifi};
  return reading;
}

std::string StoreOfFour() {
  const TNetInfo office{"Ethernet", false, "10.0.0.5", "255.255.255.0", "10.0.0.1", "10.0.0.1",
                        kBlank, kBlank};
  TNetInfo other = office;
  other.IP = "10.0.0.6";
  return StoreSection("Cafe", TNetInfo{"Wi-Fi", true, "", "", "", "", "", ""}) +
         StoreSection("Home", TNetInfo{"Ethernet", true, "", "", "", "", "", ""}) +
         StoreSection("Office", office) + StoreSection("Office 2", other);
}

std::vector<bool> CheckMarks(const std::vector<TShownItem>& items) {
  std::vector<bool> checks;
  for (const TShownItem& item : items) checks.push_back(item.Checked);
  return checks;
}

// The profiles in force carry a check mark, found with one reading of the adapters each
// time the menu opens, and the icon's tooltip names them on their adapters.
TEST_F(TrayMenuTest, TheProfilesInForceAreCheckedAndNamedInTheTooltip) {
  adapters_.Reading = OfficeAndCafe();
  WriteStore(StoreOfFour());
  Start();
  EXPECT_EQ(main_->Tray().Icon().Hint(), "Ardenix: Cafe on Wi-Fi, Office on Ethernet")
      << "named from the start";
  const int reads = adapters_.Reads;
  const std::vector<TShownItem> shown = OpenMenu();
  EXPECT_EQ(adapters_.Reads, reads + 1);
  EXPECT_EQ(Texts(shown), (std::vector<std::string>{"Cafe", "Home", "Office", "Office 2", "-",
                                                     "&Configure", "-", "Start with Windows",
                                                     "E&xit"}));
  EXPECT_EQ(CheckMarks(shown),
            (std::vector<bool>{true, false, true, false, false, false, false, false, false}));

  // Ethernet changes to what Home wants, Wi-Fi goes: the next opening shows it.
  adapters_.Reading.Adapters.front().Dhcp = true;
  adapters_.Reading.Adapters.front().Addresses = {{"192.168.5.5", 24}};
  adapters_.Reading.Adapters.pop_back();
  EXPECT_EQ(CheckMarks(OpenMenu()),
            (std::vector<bool>{false, true, false, false, false, false, false, false, false}));
  EXPECT_EQ(main_->Tray().Icon().Hint(), "Ardenix: Home on Ethernet");
  EXPECT_STREQ(main_->Tray().Icon().NotifyRecord().szTip, "Ardenix: Home on Ethernet");

  // None in force: the title alone; a failed reading alike.
  adapters_.Reading.Adapters.clear();
  EXPECT_EQ(CheckMarks(OpenMenu()), std::vector<bool>(9, false));
  EXPECT_EQ(main_->Tray().Icon().Hint(), "Ardenix");
  adapters_.Reading.Ok = false;
  adapters_.Reading.ErrorText = "broken";
  EXPECT_EQ(CheckMarks(OpenMenu()), std::vector<bool>(9, false));
  EXPECT_EQ(main_->Tray().Icon().Hint(), "Ardenix");
}

// Applying a profile, from the window or from the menu, looks at the adapters again once
// netsh has ended: the tooltip names the profiles in force, then the apply's report.
TEST_F(TrayMenuTest, ApplyingAProfileRefreshesTheTooltipWithItsReport) {
  WriteStore(StoreOfFour());
  Start();
  EXPECT_EQ(main_->Tray().Icon().Hint(), "Ardenix");
  auto awaitReportOf = [&](const std::string& caption) {
    const std::string start = "Ardenix: Cafe on Wi-Fi, Office on Ethernet\n" + caption + " is active";
    PumpMessages(20000, [&] { return main_->Tray().Icon().Hint().rfind(start, 0) == 0; });
    EXPECT_EQ(main_->Tray().Icon().Hint().rfind(start, 0), 0u) << main_->Tray().Icon().Hint();
  };
  adapters_.Reading = OfficeAndCafe();  // as if netsh had done its work at once
  Select(2);
  Press(F::cmApply);
  EXPECT_EQ(starter_.Starts.size(), 1u);
  awaitReportOf("Office");

  ClickItem(0);
  EXPECT_EQ(starter_.Starts.size(), 2u);
  awaitReportOf("Cafe");
}

// Started minimised (show command 7), the program waits in the notification area; the
// icon's double-click brings it up.
TEST_F(TrayMenuTest, StartedMinimisedTheProgramWaitsInTheNotificationArea) {
  application_ = std::make_unique<TApplication>();
  application_->Initialize(GetModuleHandleA(nullptr), SW_SHOWMINNOACTIVE);
  application_->SetTitle("Ardenix");
  main_ = application_->CreateForm<TfrmMain>(TCoreServices{paths_, storeFiles_, actions_, adapters_});
  bool hidden = false, buttonHidden = false, restored = false;
  // Runs inside the message loop once the start-up show command has been followed.
  TSimpleTimer check(50, [&](TObject*) {
    hidden = !IsWindowVisible(main_->Handle());
    buttonHidden = !IsWindowVisible(application_->Handle());
    for (UINT notification : {WM_LBUTTONDOWN, WM_LBUTTONUP, WM_LBUTTONDBLCLK, WM_LBUTTONUP}) {
      TrayCallback(notification);
    }
    restored = IsWindowVisible(main_->Handle()) && !application_->IsMinimized();
    application_->Terminate();
  });
  check.SetOneShot(true);
  check.SetEnabled(true);
  application_->Run();
  EXPECT_TRUE(hidden);
  EXPECT_TRUE(buttonHidden);
  EXPECT_TRUE(restored);
  EXPECT_TRUE(main_->Tray().Icon().IconVisible());
}

// The Run value the item writes, or "(none)".
std::string RunValue() {
  char text[1024] = {};
  DWORD size = sizeof text;
  if (RegGetValueA(HKEY_CURRENT_USER, "Software\\Microsoft\\Windows\\CurrentVersion\\Run",
                   "Ardenix", RRF_RT_REG_SZ, nullptr, text, &size) != ERROR_SUCCESS)
    return "(none)";
  return text;
}

void SetRunValue(const std::string& command) {
  RegSetKeyValueA(HKEY_CURRENT_USER, "Software\\Microsoft\\Windows\\CurrentVersion\\Run",
                  "Ardenix", REG_SZ, command.c_str(), static_cast<DWORD>(command.size() + 1));
}

void RemoveRunValue() {
  RegDeleteKeyValueA(HKEY_CURRENT_USER, "Software\\Microsoft\\Windows\\CurrentVersion\\Run",
                     "Ardenix");
}

// "Start with Windows" in Wine's registry: the item writes this program's command, its
// check mark follows the registry as it is each time the menu opens (another copy's value
// is not this program's), and a click on the checked item removes the value.
TEST_F(TrayMenuTest, StartWithWindowsWritesAndRemovesTheRunValueOfThisProgram) {
  RemoveRunValue();
  Start();
  auto checked = [&] {
    for (const TShownItem& item : OpenMenu())
      if (item.Text == "Start with Windows") return item.Checked;
    ADD_FAILURE() << "no Start with Windows";
    return false;
  };
  char program[MAX_PATH] = {};
  GetModuleFileNameA(nullptr, program, MAX_PATH);
  const std::string ours = "\"" + std::string(program) + "\" /tray";

  EXPECT_FALSE(checked());
  ClickCommand("Start with Windows");
  EXPECT_EQ(RunValue(), ours);
  EXPECT_TRUE(checked());

  SetRunValue("\"C:\\Other folder\\Ardenix.exe\" /tray");
  EXPECT_FALSE(checked()) << "another copy's value";
  ClickCommand("Start with Windows");
  EXPECT_EQ(RunValue(), ours) << "this copy takes it over";

  ClickCommand("Start with Windows");
  EXPECT_EQ(RunValue(), "(none)");
  EXPECT_FALSE(checked());
  RemoveRunValue();
}

TEST_F(TrayMenuTest, ConfigureBringsTheApplicationBackFromTheNotificationArea) {
  Start();
  Press(F::cmMinimize);
  ClickCommand("&Configure");
  EXPECT_TRUE(IsWindowVisible(main_->Handle()));
  EXPECT_FALSE(application_->IsMinimized());
}

// True when window `a` stands above window `b` among the top-level windows.
bool Above(HWND a, HWND b) {
  for (HWND window = GetTopWindow(nullptr); window; window = GetWindow(window, GW_HWNDNEXT)) {
    if (window == a) return true;
    if (window == b) return false;
  }
  return false;
}

// Configure and a double-click do nothing to an open window: a window covered by another
// stays behind it.
TEST_F(TrayMenuTest, ConfigureOnAnOpenWindowDoesNotRaiseIt) {
  Start();
  RECT place{};
  GetWindowRect(main_->Handle(), &place);
  HWND cover = CreateWindowExA(0, "STATIC", "cover", WS_POPUP | WS_VISIBLE | WS_BORDER, place.left,
                               place.top, place.right - place.left, place.bottom - place.top,
                               nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
  ASSERT_NE(cover, nullptr);
  SetForegroundWindow(cover);
  Pump();
  ASSERT_TRUE(Above(cover, main_->Handle()));

  main_->Tray().Menu().Rebuild();
  TPopupMenu& menu = main_->Tray().Menu().Menu();
  for (int index = 0; index < menu.Count(); ++index) {
    if (menu.Items(index).Caption == "&Configure") menu.Items(index).Click();
  }
  Pump();
  EXPECT_TRUE(Above(cover, main_->Handle()));
  for (UINT notification : {WM_LBUTTONDOWN, WM_LBUTTONUP, WM_LBUTTONDBLCLK, WM_LBUTTONUP}) {
    TrayCallback(notification);
  }
  EXPECT_TRUE(Above(cover, main_->Handle()));
  EXPECT_EQ(GetForegroundWindow(), cover);
  EXPECT_TRUE(IsWindowVisible(main_->Handle()));
  EXPECT_FALSE(IsIconic(main_->Handle()));
  DestroyWindow(cover);
}

}  // namespace

namespace {

// The balloons of the program's icon, in order.
std::vector<NOTIFYICONDATAA> BalloonsOf(const TShellRecorder& shell, UINT icon) {
  std::vector<NOTIFYICONDATAA> balloons;
  for (const TShellRecorder::TCall& call : shell.Calls)
    if (call.Record.uID == icon && (call.Record.uFlags & NIF_INFO)) balloons.push_back(call.Record);
  return balloons;
}

// An offer of one profile is taken up by a click on its balloon as its menu item would be;
// an offer of several opens the menu to choose from, applying nothing by itself.
TEST_F(TrayMenuTest, AnOffersBalloonNamesItsProfilesAndAClickAppliesOneOrOpensTheMenu) {
  struct TCase {
    std::vector<std::string> offered;
    const char* text;
    size_t starts;     // applies started by the click
    int menuOpenings;  // menus opened by it
  };
  const TCase cases[] = {
      {{"P2"}, "P2's network is here (Local Area Connection). Click to switch.", 1, 0},
      {{"P1", "P2"},
       "The networks of P1 and P2 are here (Local Area Connection). Click to choose.",
       0,
       1},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.text);
    WriteNumberedStore(2);
    Start();
    const UINT icon = main_->Tray().Icon().ShellId();
    main_->Tray().Offer("Local Area Connection", c.offered);
    const std::vector<NOTIFYICONDATAA> balloons = BalloonsOf(shell_, icon);
    ASSERT_EQ(balloons.size(), 1u);
    EXPECT_STREQ(balloons[0].szInfo, c.text);
    EXPECT_EQ(balloons[0].dwInfoFlags, static_cast<DWORD>(NIIF_INFO));

    int openings = 0;
    std::vector<std::string> shown;
    main_->Tray().Menu().Menu().TrackFunction = [&](HMENU menu, int, int, HWND) -> UINT {
      ++openings;
      shown = Texts(ReadMenu(menu));
      return 0;
    };
    TrayCallback(NIN_BALLOONUSERCLICK);
    main_->Tray().Menu().Menu().TrackFunction = nullptr;
    EXPECT_EQ(starter_.Starts.size(), c.starts);
    EXPECT_EQ(openings, c.menuOpenings);
    if (c.starts) {
      EXPECT_NE(Script().find(AddressLine(2)), std::string::npos) << Script();
    } else {
      EXPECT_EQ(shown, Texts(OpenMenu())) << "the tray menu, as a right click opens it";
    }
    RemoveScriptOnceLetGo();
    application_.reset();
    starter_.Starts.clear();
    shell_.Calls.clear();
  }
}

// A click reaches the program for the balloon shown last: once a report's balloon has
// replaced the offer's, the click is on the report and applies nothing; and one click
// takes up an offer once.
TEST_F(TrayMenuTest, AClickAppliesTheOfferOnlyWhileItsBalloonIsTheLastAndOnlyOnce) {
  TNetInfo elsewhere = Numbered(3);
  elsewhere.LAN = "Nowhere";  // no such adapter: refused, and reported, at once
  WriteStore(StoreSection("P1", Numbered(1)) + StoreSection("P3", elsewhere));
  Start();
  main_->Tray().Offer("Local Area Connection", {"P1"});
  ClickItem(1);  // P3
  ASSERT_EQ(BalloonsOf(shell_, main_->Tray().Icon().ShellId()).size(), 2u);
  TrayCallback(NIN_BALLOONUSERCLICK);
  EXPECT_EQ(starter_.Starts.size(), 0u) << "the click was on the report's balloon";

  main_->Tray().Offer("Local Area Connection", {"P1"});
  TrayCallback(NIN_BALLOONUSERCLICK);
  EXPECT_EQ(starter_.Starts.size(), 1u);
  RemoveScriptOnceLetGo();  // that apply is over: another would start
  TrayCallback(NIN_BALLOONUSERCLICK);
  EXPECT_EQ(starter_.Starts.size(), 1u) << "the offer was taken up already";
}

// The profiles whose network is here say so beside their captions, the check marks of
// those in force stay, and an empty list takes the marks away.
TEST_F(TrayMenuTest, TheProfilesWhoseNetworkIsHereAreMarkedUntilToldOtherwise) {
  adapters_.Reading = OfficeAndCafe();
  WriteStore(StoreOfFour());
  Start();
  main_->Tray().SetRecognised({"Office", "Home"});
  const std::vector<TShownItem> marked = OpenMenu();
  EXPECT_EQ(Texts(marked), (std::vector<std::string>{
                               "Cafe", "Home\tnetwork here", "Office\tnetwork here", "Office 2",
                               "-", "&Configure", "-", "Start with Windows", "E&xit"}));
  EXPECT_EQ(CheckMarks(marked),
            (std::vector<bool>{true, false, true, false, false, false, false, false, false}));
  EXPECT_EQ(Texts(OpenMenu()), Texts(marked)) << "the marks stay";

  main_->Tray().SetRecognised({});
  EXPECT_EQ(Texts(OpenMenu()),
            (std::vector<std::string>{"Cafe", "Home", "Office", "Office 2", "-", "&Configure", "-",
                                      "Start with Windows", "E&xit"}));
}

// A start reads the adapters once: a profile that asks for its network and finds it here is
// marked from the reading the tray was made from.
TEST_F(TrayMenuTest, AStartRecognisesANetworkFromItsOneReading) {
  adapters_.Reading = OfficeAndCafe();
  adapters_.Reading.Adapters.front().GatewayHardwareAddress = "00-11-22-33-44-55";
  WriteStore(StoreOfFour() +  // these keys go to the last section, Office 2's
             "NetworkGateway=10.0.0.1\r\nNetworkGatewayMac=00-11-22-33-44-55\r\n"
             "OnNetwork=offer\r\n");
  Start();
  EXPECT_EQ(adapters_.Reads, 1);
  EXPECT_EQ(Texts(OpenMenu()),
            (std::vector<std::string>{"Cafe", "Home", "Office", "Office 2\tnetwork here", "-",
                                      "&Configure", "-", "Start with Windows", "E&xit"}));
}

}  // namespace
