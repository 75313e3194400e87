// The main window end to end: the real window with its real controls, a store beside
// this test program, driven by the messages a user's actions send.
#include <windows.h>

#include <commctrl.h>

#include <filesystem>
#include <iterator>
#include <vector>

#include "AddressEdit.h"
#include "BatchFile.h"
#include "MainWindowFixture.h"
#include "ProfileFields.h"
#include "ProfileIni.h"
#include "Resources.h"

namespace {

using F = TfrmMain;
constexpr const char* kBlank = "   .   .   .   ";

const TNetInfo kHome{"Local Area Connection", true, kBlank, kBlank, kBlank, kBlank, kBlank, kBlank};
const TNetInfo kOffice{"Local Area Connection",
                       false,
                       "10 .0  .0  .5  ",
                       "255.255.255.0  ",
                       "10 .0  .0  .1  ",
                       "10 .0  .0  .1  ",
                       kBlank,
                       kBlank};
const TNetInfo kLab{"Lab LAN", false, "192.168.7  .2  ", "255.255.255.0  ", kBlank, kBlank,
                    kBlank,    kBlank};

TEST_F(MainWindowTest, StartsWithoutAStoreWithAnEmptyListAndADefaultEditor) {
  TfrmMain& form = Start();
  EXPECT_TRUE(IsWindowVisible(form.Handle()));
  EXPECT_TRUE(Captions().empty());
  EXPECT_EQ(Lan(), "Local Area Connection");
  EXPECT_FALSE(DhcpChecked());
  for (const TAddressField& field : kAddressFields) {
    EXPECT_EQ(Field(field.Member), kBlank) << field.Key;
    EXPECT_TRUE(FieldEnabled(field.Member)) << field.Key;
  }
  EXPECT_EQ(form.Caption(), "Ardenix 1.01");
  EXPECT_EQ(GetFocus(), form.ListViewHandle());
}

TEST_F(MainWindowTest, ListsTheStoreInCaptionOrderWithoutSelectingAnything) {
  WriteStore(StoreSection("beta", kOffice) + StoreSection("Zeta", kHome) +
             StoreSection("Alpha", kLab) + StoreSection("abc", kOffice));
  TfrmMain& form = Start();
  EXPECT_EQ(Captions(), (std::vector<std::string>{"abc", "Alpha", "beta", "Zeta"}));
  EXPECT_EQ(form.List().Selected(), nullptr);
  EXPECT_EQ(form.List().EntryAt(1)->Profile, AsLoaded(kLab));
}

TEST_F(MainWindowTest, MovingTheSelectionCommitsTheEditorIntoTheEntryItLeaves) {
  WriteStore(StoreSection("Home", kHome) + StoreSection("Office", kOffice));
  TfrmMain& form = Start();
  Select(1);                                    // Office
  EXPECT_EQ(Field(&TNetInfo::IP), kOffice.IP);  // the field puts the blanks back
  EXPECT_FALSE(DhcpChecked());
  SetField(&TNetInfo::IP, "10.0.0.9");
  SetWindowTextA(form.Editor().EdLAN(), "Wireless");
  Select(0);  // Home: Office gets the editor's values, Home's are shown
  EXPECT_EQ(form.List().EntryAt(1)->Profile.IP, "10 .0  .0  .9  ");
  EXPECT_EQ(form.List().EntryAt(1)->Profile.LAN, "Wireless");
  EXPECT_EQ(form.List().EntryAt(0)->Profile, AsLoaded(kHome));
  EXPECT_TRUE(DhcpChecked());
  EXPECT_EQ(Lan(), "Local Area Connection");
  for (const TAddressField& field : kAddressFields) {
    EXPECT_FALSE(FieldEnabled(field.Member)) << field.Key;
  }
}

TEST_F(MainWindowTest, AnEntryWithoutAdapterNameShowsTheDefaultNameAndStoresItWhenLeft) {
  WriteStore(StoreSection("Bare", TNetInfo{}) + StoreSection("Home", kHome));
  TfrmMain& form = Start();
  SetWindowTextA(form.Editor().EdLAN(), "Something else");
  Select(0);
  EXPECT_EQ(Lan(), "Local Area Connection");
  Select(1);
  EXPECT_EQ(form.List().EntryAt(0)->Profile.LAN, "Local Area Connection");
}

TEST_F(MainWindowTest, ConnectAppliesWhatTheEditorShows) {
  AddAdapter("Local Area Connection");
  WriteStore(StoreSection("Office", kOffice));
  TfrmMain& form = Start();
  Select(0);
  SetField(&TNetInfo::IP, "10.0.0.99");
  Press(F::cmApply);
  ASSERT_EQ(starter_.Starts.size(), 1u);
  EXPECT_NE(starter_.Starts[0].Parameters.find(scriptPath_), std::string::npos)
      << starter_.Starts[0].Parameters;
  const auto script = ReadFile(scriptPath_);
  ASSERT_TRUE(script.has_value());
  EXPECT_NE(script->find("source=static addr=10.0.0.99 mask=255.255.255.0\r\n"), std::string::npos)
      << *script;
  EXPECT_EQ(form.List().EntryAt(0)->Profile.IP, "10 .0  .0  .99 ") << "the entry holds it too";
}

// netsh applies a script's lines up to the first it rejects: a profile with a member it
// would reject, or for an adapter that is not there, is refused with nothing written.
struct RefusedApplyCase {
  const char* name;
  std::string TNetInfo::*member;
  const char* text;
  const char* report;
};

class RefusedApplyTest : public MainWindowTest,
                         public testing::WithParamInterface<RefusedApplyCase> {};

TEST_P(RefusedApplyTest, WritesNothingAndStartsNothing) {
  const RefusedApplyCase& c = GetParam();
  AddAdapter("Local Area Connection");
  TNetInfo profile = kOffice;
  if (c.member) profile.*c.member = c.text;
  WriteStore(StoreSection("Office", profile));
  Start();
  Select(0);
  Press(F::cmApply);
  EXPECT_TRUE(starter_.Starts.empty());
  EXPECT_FALSE(ReadFile(scriptPath_).has_value());
  char status[512] = {};
  SendMessageA(main_->StatusBar(), SB_GETTEXTA, 1, reinterpret_cast<LPARAM>(status));
  EXPECT_STREQ(status, c.report);
  EXPECT_TRUE(errors_.empty());
}

INSTANTIATE_TEST_SUITE_P(
    Profiles, RefusedApplyTest,
    testing::Values(
        RefusedApplyCase{"HalfAnAddress", &TNetInfo::IP, "192.168.01.   ",
                         "IP \"192.168.01.\" is not an address; nothing was applied"},
        RefusedApplyCase{"WinsOver255", &TNetInfo::WINS, "300.1  .1  .1  ",
                         "WINS \"300.1.1.1\" is not an address; nothing was applied"},
        RefusedApplyCase{"MaskWithAHole", &TNetInfo::SN, "255.0  .255.0  ",
                         "Subnet Mask \"255.0.255.0\" is not a mask; nothing was applied"},
        RefusedApplyCase{"NoSuchAdapter", &TNetInfo::LAN, "Lab LAN",
                         "No adapter named \"Lab LAN\" on this computer; nothing was changed"}),
    [](const auto& param) { return std::string(param.param.name); });

TEST_F(MainWindowTest, AScriptThatCannotBeWrittenIsShownAndNothingIsStarted) {
  AddAdapter("Local Area Connection");
  WriteStore(StoreSection("Office", kOffice));
  Start();
  std::filesystem::create_directory(scriptPath_);  // a folder where the script should go
  Select(0);
  Press(F::cmApply);
  ASSERT_EQ(errors_.size(), 1u);
  EXPECT_EQ(errors_[0].rfind("Cannot create file \"" + scriptPath_ + "\". ", 0), 0u) << errors_[0];
  EXPECT_TRUE(starter_.Starts.empty());
  EXPECT_EQ(Captions(), std::vector<std::string>{"Office"});
  EXPECT_FALSE(application_->Terminated());
}

TEST_F(MainWindowTest, ConnectAndSaveAsWithNothingSelectedDoNothing) {
  WriteStore(StoreSection("Office", kOffice));
  Start();
  Press(F::cmApply);
  Press(F::cmSaveAs);
  EXPECT_TRUE(starter_.Starts.empty());
  EXPECT_TRUE(asker_.Requests.empty());
  EXPECT_FALSE(ReadFile(scriptPath_).has_value());
}

TEST_F(MainWindowTest, SaveAsBatchFileWritesTheFileAndSaysWhereItWent) {
  WriteStore(StoreSection("Site.2005", kOffice));
  TfrmMain& form = Start();
  const std::string target = scriptPath_ + ".export.bat";
  asker_.Answer = target;
  Select(0);
  SetField(&TNetInfo::IP, "10.0.0.99");  // not committed by a change of selection
  Press(F::cmSaveAs);
  ASSERT_EQ(asker_.Requests.size(), 1u);
  EXPECT_EQ(asker_.Requests[0].proposedName, "Site.bat");
  TNetInfo shown = kOffice;
  shown.IP = "10 .0  .0  .99 ";
  EXPECT_EQ(ReadFile(target), BatchFileText(NormalisedCopy(shown)));
  char status[512] = {};
  SendMessageA(form.StatusBar(), SB_GETTEXTA, 1, reinterpret_cast<LPARAM>(status));
  EXPECT_EQ(std::string(status), "Saved as batch file: " + target);
  std::filesystem::remove(target);
}

TEST_F(MainWindowTest, SaveAsBatchFileRefusesAProfileNetshWouldReject) {
  TNetInfo invalid = kOffice;
  invalid.WINS = "300.1  .1  .1  ";
  WriteStore(StoreSection("Site", invalid));
  Start();
  asker_.Answer = scriptPath_ + ".export.bat";
  Select(0);
  Press(F::cmSaveAs);
  // The error box ends every text with a full stop.
  EXPECT_EQ(errors_,
            std::vector<std::string>{"WINS \"300.1.1.1\" is not an address; nothing was saved."});
  EXPECT_TRUE(asker_.Requests.empty());
  EXPECT_FALSE(ReadFile(*asker_.Answer).has_value());
  EXPECT_FALSE(application_->Terminated());
}

TEST_F(MainWindowTest, DhcpDisablesTheSixFieldsAndKeepsTheirText) {
  TfrmMain& form = Start();
  SetField(&TNetInfo::IP, "10.1.2.3");
  SendMessageA(form.Editor().EdDHCP(), BM_CLICK, 0, 0);
  Pump();
  EXPECT_TRUE(DhcpChecked());
  for (const TAddressField& field : kAddressFields) {
    EXPECT_FALSE(FieldEnabled(field.Member)) << field.Key;
  }
  EXPECT_EQ(Field(&TNetInfo::IP), "10 .1  .2  .3  ");
  SendMessageA(form.Editor().EdDHCP(), BM_CLICK, 0, 0);
  Pump();
  for (const TAddressField& field : kAddressFields) {
    EXPECT_TRUE(FieldEnabled(field.Member)) << field.Key;
  }
  EXPECT_TRUE(IsWindowEnabled(form.Editor().EdLAN()));
}

// The new entry is selected with its caption open for editing, so that the editor and
// the name typed go to it; no two entries share a caption.
TEST_F(MainWindowTest, NewSelectsItsEntryOpensItsCaptionAndTakesAFreeCaption) {
  WriteStore(StoreSection("Alpha", kLab) + StoreSection("Home", kHome));
  TfrmMain& form = Start();
  Select(1);
  SetField(&TNetInfo::IP, "10.9.9.9");  // Home's editor text, committed before New moves on
  Press(F::cmNew);
  ASSERT_NE(form.List().Selected(), nullptr);
  EXPECT_EQ(form.List().Selected()->Caption, "Current Configuration");
  EXPECT_NE(ListView_GetEditControl(form.ListViewHandle()), nullptr) << "the caption is not open";
  EXPECT_FALSE(DhcpChecked()) << "the editor shows the new profile";
  EXPECT_EQ(Lan(), "Local Area Connection");
  SendMessageA(ListView_GetEditControl(form.ListViewHandle()), WM_KEYDOWN, VK_ESCAPE, 0);
  Pump();
  Press(F::cmNew);
  EXPECT_EQ(Captions(), (std::vector<std::string>{"Alpha", "Current Configuration",
                                                  "Current Configuration 2", "Home"}));
  EXPECT_EQ(form.List().Selected()->Caption, "Current Configuration 2");
  EXPECT_EQ(form.List().EntryAt(3)->Profile.IP, "10 .9  .9  .9  ");
}

TEST_F(MainWindowTest, DeleteRemovesTheSelectedEntryAndNothingWithoutASelection) {
  WriteStore(StoreSection("Home", kHome) + StoreSection("Office", kOffice));
  Start();
  Press(F::cmDelete);
  EXPECT_EQ(Captions().size(), 2u);
  Select(1);
  Press(F::cmDelete);
  EXPECT_EQ(Captions(), (std::vector<std::string>{"Home"}));
  EXPECT_EQ(Field(&TNetInfo::IP), kOffice.IP);  // the editor keeps the removed profile's values
  CloseWindow();
  EXPECT_EQ(ReadStore(), IniFromProfiles({{"Home", AsLoaded(kHome)}}));
}

TEST_F(MainWindowTest, AClickOnEmptySpaceDeselectsAfterCommitting) {
  WriteStore(StoreSection("Office", kOffice));
  TfrmMain& form = Start();
  Select(0);
  SetField(&TNetInfo::DG, "10.0.0.254");
  RECT client;
  GetClientRect(form.ListViewHandle(), &client);
  const LPARAM emptyPoint = MAKELPARAM(client.right - 5, client.bottom - 5);
  PostMessageA(form.ListViewHandle(), WM_LBUTTONUP, 0, emptyPoint);
  SendMessageA(form.ListViewHandle(), WM_LBUTTONDOWN, MK_LBUTTON, emptyPoint);
  Pump();
  EXPECT_EQ(form.List().Selected(), nullptr);
  EXPECT_EQ(form.List().EntryAt(0)->Profile.DG, "10 .0  .0  .254");
  EXPECT_EQ(Field(&TNetInfo::DG), "10 .0  .0  .254");
}

// Renaming in place: the list's own edit box, confirmed with Enter or left with Escape.
class RenameTest : public MainWindowTest {
 protected:
  void Rename(int index, const char* text, WPARAM key) {
    HWND edit =
        reinterpret_cast<HWND>(SendMessageA(main_->ListViewHandle(), LVM_EDITLABELA, index, 0));
    ASSERT_NE(edit, nullptr);
    SetWindowTextA(edit, text);
    // Through the message loop, as typed keys come: the form's dialog-key handling sees
    // them first and must leave Enter and Escape to the edit box.
    PostMessageA(edit, WM_KEYDOWN, key, 0);
    PostMessageA(edit, WM_KEYUP, key, 0);
    Pump();
  }
};

TEST_F(RenameTest, EnterTakesTheNewCaptionAndMovesTheEntryToItsPlace) {
  WriteStore(StoreSection("Alpha", kLab) + StoreSection("Home", kHome));
  TfrmMain& form = Start();
  Rename(0, "zoo", VK_RETURN);
  EXPECT_EQ(Captions(), (std::vector<std::string>{"Home", "zoo"}));
  // The same profile (the editor, loaded from it, may have put the fields' blanks back).
  EXPECT_EQ(AsLoaded(form.List().EntryAt(1)->Profile), AsLoaded(kLab));
}

TEST_F(RenameTest, EscapeKeepsTheCaption) {
  WriteStore(StoreSection("Alpha", kLab) + StoreSection("Home", kHome));
  Start();
  Rename(0, "zoo", VK_ESCAPE);
  EXPECT_EQ(Captions(), (std::vector<std::string>{"Alpha", "Home"}));
}

// A caption the store cannot name a section by would lose the profile at the next save.
class RenameToNothingTest : public RenameTest,
                            public testing::WithParamInterface<const char*> {};

TEST_P(RenameToNothingTest, KeepsTheCaptionAndTheProfileIsWritten) {
  WriteStore(StoreSection("Alpha", kLab) + StoreSection("Home", kHome));
  Start();
  Rename(0, GetParam(), VK_RETURN);
  EXPECT_EQ(Captions(), (std::vector<std::string>{"Alpha", "Home"}));
  EXPECT_EQ(errors_, std::vector<std::string>{"A connection needs a name; it stays \"Alpha\"."});
  CloseWindow();
  const auto store = ReadStore();
  ASSERT_TRUE(store.has_value());
  EXPECT_NE(store->find("[Alpha]"), std::string::npos) << *store;
}

INSTANTIATE_TEST_SUITE_P(Blanks, RenameToNothingTest, testing::Values("   ", " \t "));

// Windows reports an emptied edit box as confirmed empty text (Wine as cancelled).
TEST_F(MainWindowTest, AnEmptyCaptionReportedByTheListIsRefused) {
  WriteStore(StoreSection("Alpha", kLab));
  TfrmMain& form = Start();
  char empty[] = "";
  NMLVDISPINFOA edit{};
  edit.hdr.hwndFrom = form.ListViewHandle();
  edit.hdr.idFrom = static_cast<UINT_PTR>(GetDlgCtrlID(form.ListViewHandle()));
  edit.hdr.code = LVN_ENDLABELEDITA;
  edit.item.iItem = 0;
  edit.item.pszText = empty;
  SendMessageA(form.Handle(), WM_NOTIFY, edit.hdr.idFrom, reinterpret_cast<LPARAM>(&edit));
  EXPECT_EQ(Captions(), (std::vector<std::string>{"Alpha"}));
}

// The store holds one section per name (ASCII case aside): a second entry of that name
// would be lost at the next save.
TEST_F(RenameTest, TheCaptionOfAnotherEntryIsRefusedAndBothAreWritten) {
  WriteStore(StoreSection("Home", kHome) + StoreSection("Office", kOffice));
  Start();
  Rename(1, "home ", VK_RETURN);
  EXPECT_EQ(Captions(), (std::vector<std::string>{"Home", "Office"}));
  EXPECT_EQ(errors_,
            std::vector<std::string>{"There is a connection named \"Home\" already; it stays \"Office\"."});
  Rename(1, "OFFICE", VK_RETURN);
  EXPECT_EQ(Captions(), (std::vector<std::string>{"Home", "OFFICE"})) << "its own name in other letters";
  CloseWindow();
  // Office was selected last: the editor's values went into it, blanks and all.
  EXPECT_EQ(ReadStore(), IniFromProfiles({{"Home", AsLoaded(kHome)}, {"OFFICE", kOffice}}));
}

TEST_F(MainWindowTest, ClosingCommitsTheEditorAndWritesTheStoreExactlyInListOrder) {
  WriteStore(StoreSection("Office", kOffice) + StoreSection("Home", kHome));
  Start();
  Select(1);
  SetField(&TNetInfo::WINS, "10.0.0.3");
  CloseWindow();
  EXPECT_TRUE(application_->Terminated());
  // The editor's whole content reaches Office: the fields' texts with their blanks.
  const TNetInfo office{
      "Local Area Connection", false,  "10 .0  .0  .5  ", "255.255.255.0  ", "10 .0  .0  .1  ",
      "10 .0  .0  .1  ",       kBlank, "10 .0  .0  .3  "};
  EXPECT_EQ(ReadStore(), IniFromProfiles({{"Home", AsLoaded(kHome)}, {"Office", office}}));
  EXPECT_TRUE(errors_.empty());
}

TEST_F(MainWindowTest, ClosingWithAnEmptyListLeavesNoStore) {
  WriteStore(StoreSection("Home", kHome));
  Start();
  Select(0);
  Press(F::cmDelete);
  CloseWindow();
  EXPECT_FALSE(ReadStore().has_value());
}

TEST_F(MainWindowTest, AStoreThatCannotBeWrittenKeepsTheWindowOpenUntilAClosingSucceeds) {
  Start();
  Press(F::cmNew);
  // A folder where the store should be: nothing can be written in its place.
  std::filesystem::create_directory(storePath_);
  CloseWindow();
  ASSERT_EQ(errors_.size(), 1u);
  EXPECT_EQ(errors_[0], "Unable to write to " + storePath_ + ".");
  EXPECT_FALSE(application_->Terminated());
  EXPECT_TRUE(IsWindowVisible(main_->Handle()));
  EXPECT_EQ(Captions().size(), 1u);

  std::filesystem::remove(storePath_);
  CloseWindow();
  EXPECT_EQ(errors_.size(), 1u);
  EXPECT_TRUE(application_->Terminated());
  // The new entry was selected: the editor's values went into it.
  const TNetInfo shown{"Local Area Connection", false, kBlank, kBlank, kBlank, kBlank, kBlank, kBlank};
  EXPECT_EQ(ReadStore(), IniFromProfiles({{"Current Configuration", shown}}));
}

// Delete, F2 and Ctrl+N as a Windows list answers them, typed through the message loop.
TEST_F(MainWindowTest, KeysOfTheListDeleteRenameAndMakeNew) {
  WriteStore(StoreSection("Home", kHome) + StoreSection("Office", kOffice));
  TfrmMain& form = Start();
  const HWND list = form.ListViewHandle();
  auto type = [&](HWND window, UINT key, bool control = false) {
    BYTE keys[256] = {};
    GetKeyboardState(keys);
    keys[VK_CONTROL] = control ? 0x80 : 0;
    SetKeyboardState(keys);
    PostMessageA(window, WM_KEYDOWN, key, 0);
    PostMessageA(window, WM_KEYUP, key, 0);
    Pump();
    keys[VK_CONTROL] = 0;
    SetKeyboardState(keys);
  };
  Select(1);
  type(list, VK_F2);
  const HWND edit = ListView_GetEditControl(list);
  ASSERT_NE(edit, nullptr) << "F2 opens the caption";
  type(edit, VK_DELETE);  // the caption's own key: the entry stays
  EXPECT_EQ(Captions().size(), 2u);
  type(edit, VK_ESCAPE);
  type(list, VK_DELETE);
  EXPECT_EQ(Captions(), (std::vector<std::string>{"Home"}));
  type(form.Editor().AddressField(&TNetInfo::IP), 'N', true);
  EXPECT_EQ(Captions(), (std::vector<std::string>{"Current Configuration", "Home"}));
}

TEST_F(MainWindowTest, HelpShowsTheCreditsModallyAndEscapeClosesThem) {
  Start();
  bool shownModally = false;
  about_->OnClose = [&](TObject*, TCloseAction&) {
    shownModally = IsWindowVisible(about_->Handle()) && !IsWindowEnabled(main_->Handle());
  };
  // The dialog's window is made when it is first shown.
  about_->OnShow = [&](TObject*) { PostMessageA(about_->Handle(), WM_KEYDOWN, VK_ESCAPE, 0); };
  Press(F::cmHelp);  // returns when the dialog has closed
  EXPECT_TRUE(shownModally);
  EXPECT_FALSE(IsWindowVisible(about_->Handle()));
  EXPECT_TRUE(IsWindowEnabled(main_->Handle()));
  EXPECT_FALSE(application_->Terminated());
}

TEST_F(MainWindowTest, TabMovesThroughTheEditorInItsOrder) {
  TfrmMain& form = Start();
  SetFocus(form.Editor().EdDHCP());
  const HWND order[] = {
      form.Editor().AddressField(&TNetInfo::IP),   form.Editor().AddressField(&TNetInfo::SN),
      form.Editor().AddressField(&TNetInfo::DG),   form.Editor().AddressField(&TNetInfo::DNS),
      form.Editor().AddressField(&TNetInfo::ADNS), form.Editor().AddressField(&TNetInfo::WINS)};
  for (HWND next : order) {
    PostMessageA(GetFocus(), WM_KEYDOWN, VK_TAB, 0);
    Pump();
    EXPECT_EQ(GetFocus(), next);
  }
}

TEST_F(MainWindowTest, MinimizeMinimisesTheApplicationAndHidesTheWindow) {
  TfrmMain& form = Start();
  Press(F::cmMinimize);
  EXPECT_TRUE(application_->IsMinimized());
  EXPECT_FALSE(IsWindowVisible(form.Handle()));
  application_->Restore();
  Pump();
  EXPECT_TRUE(IsWindowVisible(form.Handle()));
}

TEST_F(MainWindowTest, TheLayoutFollowsTheDesign) {
  TfrmMain& form = Start();
  RECT window;
  GetWindowRect(form.Handle(), &window);
  const int dpi = static_cast<int>(GetDpiForWindow(form.Handle()));
  EXPECT_EQ(window.right - window.left, MulDiv(440, dpi, 96));
  // Taller than designed, just enough for the editor's lines about the network.
  EXPECT_GT(window.bottom - window.top, MulDiv(411, dpi, 96));
  RECT editorPanel;
  GetClientRect(form.PanRight(), &editorPanel);
  EXPECT_EQ(editorPanel.bottom, form.Editor().Height());
  EXPECT_FALSE(GetWindowLongA(form.Handle(), GWL_STYLE) & WS_MAXIMIZEBOX);
  RECT left, splitter, right;
  GetWindowRect(form.PanLeft(), &left);
  GetWindowRect(form.Splitter1(), &splitter);
  GetWindowRect(form.PanRight(), &right);
  EXPECT_EQ(left.right - left.left, MulDiv(185, dpi, 96));
  EXPECT_EQ(splitter.left, left.right);
  EXPECT_EQ(splitter.right - splitter.left, MulDiv(3, dpi, 96));
  EXPECT_EQ(right.left, splitter.right);
  EXPECT_EQ(SendMessageA(form.ToolBar1(), TB_BUTTONCOUNT, 0, 0), 13);  // seven, six separators
  // Read Current Settings follows Connect, with an image of its own.
  TBBUTTON third{};
  SendMessageA(form.ToolBar1(), TB_GETBUTTON, 4, reinterpret_cast<LPARAM>(&third));
  EXPECT_EQ(third.idCommand, F::cmReadCurrent);
  EXPECT_EQ(third.iBitmap, IMG_COUNT - 1);
  // "Torvane", then the adapter's state.
  EXPECT_FALSE(SendMessageA(form.StatusBar(), SB_ISSIMPLE, 0, 0));
  EXPECT_EQ(SendMessageA(form.StatusBar(), SB_GETPARTS, 0, 0), 2);
  char title[64] = {};
  SendMessageA(form.StatusBar(), SB_GETTEXTA, 0, reinterpret_cast<LPARAM>(title));
  EXPECT_STREQ(title, "Torvane");
  EXPECT_EQ(form.ImgList().Count(), IMG_COUNT);
  const DWORD listStyle = static_cast<DWORD>(GetWindowLongA(form.ListViewHandle(), GWL_STYLE));
  for (DWORD bit : {DWORD{LVS_SHOWSELALWAYS}, DWORD{LVS_SINGLESEL}, DWORD{LVS_EDITLABELS},
                    DWORD{LVS_AUTOARRANGE}, DWORD{LVS_SHAREIMAGELISTS}}) {
    EXPECT_TRUE(listStyle & bit) << std::hex << bit;
  }
  EXPECT_EQ(listStyle & LVS_TYPEMASK, static_cast<DWORD>(LVS_SMALLICON));
}

// Where a control stands in panRight, and the height of the font it shows in.
struct TEditorPlace {
  RECT place;
  LONG fontHeight;
};

TEditorPlace EditorPlaceOf(HWND control) {
  RECT place;
  GetWindowRect(control, &place);
  MapWindowPoints(nullptr, GetParent(control), reinterpret_cast<POINT*>(&place), 2);
  LOGFONTA font{};
  GetObjectA(reinterpret_cast<HFONT>(SendMessageA(control, WM_GETFONT, 0, 0)), sizeof font, &font);
  return {place, font.lfHeight};
}

TEST_F(MainWindowTest, TheEditorStandsAsDesignedAndFollowsAChangeOfResolution) {
  TfrmMain& form = Start();
  const int dpi = static_cast<int>(GetDpiForWindow(form.Handle()));
  const struct {
    const char* name;
    std::string TNetInfo::*field;
    int y;
    int width;
  } fields[] = {{"IP", &TNetInfo::IP, 104, 222},     {"SN", &TNetInfo::SN, 144, 223},
                {"DG", &TNetInfo::DG, 184, 224},     {"DNS", &TNetInfo::DNS, 224, 225},
                {"ADNS", &TNetInfo::ADNS, 264, 225}, {"WINS", &TNetInfo::WINS, 304, 226}};
  auto expectDesign = [&](int atDpi) {
    for (const auto& f : fields) {
      const TEditorPlace is = EditorPlaceOf(form.Editor().AddressField(f.field));
      EXPECT_EQ(is.place.left, MulDiv(8, atDpi, 96)) << f.name;
      EXPECT_EQ(is.place.top, MulDiv(f.y, atDpi, 96)) << f.name;
      EXPECT_EQ(is.place.right - is.place.left, MulDiv(f.width, atDpi, 96)) << f.name;
      EXPECT_EQ(is.place.bottom - is.place.top, MulDiv(21, atDpi, 96)) << f.name;
      EXPECT_EQ(is.fontHeight, -MulDiv(11, atDpi, 96)) << f.name;
    }
    const TEditorPlace dhcp = EditorPlaceOf(form.Editor().EdDHCP());
    EXPECT_EQ(dhcp.place.top, MulDiv(64, atDpi, 96));
    EXPECT_EQ(dhcp.place.right - dhcp.place.left, MulDiv(92, atDpi, 96));
  };
  expectDesign(dpi);

  const int doubled = 2 * dpi;
  RECT window;
  GetWindowRect(form.Handle(), &window);
  RECT suggested{window.left, window.top, window.left + MulDiv(440, doubled, 96),
                 window.top + MulDiv(411, doubled, 96)};
  SendMessageA(form.Handle(), WM_DPICHANGED, MAKEWPARAM(doubled, doubled),
               reinterpret_cast<LPARAM>(&suggested));
  expectDesign(doubled);
}

namespace {

// Every font a control is given, with the one it held at that moment.
struct TFontChange {
  HFONT held;
  bool heldExists;
  HFONT given;
};

LRESULT CALLBACK RecordFontChanges(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                                   UINT_PTR, DWORD_PTR changes) {
  if (message == WM_SETFONT) {
    const auto held = reinterpret_cast<HFONT>(DefSubclassProc(window, WM_GETFONT, 0, 0));
    reinterpret_cast<std::vector<TFontChange>*>(changes)->push_back(
        {held, GetObjectType(held) == OBJ_FONT, reinterpret_cast<HFONT>(wParam)});
  }
  return DefSubclassProc(window, message, wParam, lParam);
}

}  // namespace

TEST_F(MainWindowTest, AChangeOfResolutionDeletesTheOldFontOnlyOnceNoControlUsesIt) {
  TfrmMain& form = Start();
  // One control of the window's own and one of the editor's.
  const HWND controls[] = {form.StatusBar(), form.Editor().EdDHCP()};
  std::vector<TFontChange> changes[std::size(controls)];
  for (size_t i = 0; i < std::size(controls); ++i) {
    ASSERT_TRUE(SetWindowSubclass(controls[i], RecordFontChanges, 1,
                                  reinterpret_cast<DWORD_PTR>(&changes[i])));
  }
  const int doubled = 2 * static_cast<int>(GetDpiForWindow(form.Handle()));
  RECT suggested;
  GetWindowRect(form.Handle(), &suggested);
  SendMessageA(form.Handle(), WM_DPICHANGED, MAKEWPARAM(doubled, doubled),
               reinterpret_cast<LPARAM>(&suggested));
  for (size_t i = 0; i < std::size(controls); ++i) {
    RemoveWindowSubclass(controls[i], RecordFontChanges, 1);
    ASSERT_EQ(changes[i].size(), 1u) << i;
    const TFontChange& change = changes[i][0];
    EXPECT_TRUE(change.heldExists) << i;  // still drawn with it until the new one is set
    EXPECT_NE(change.given, change.held) << i;
    EXPECT_EQ(GetObjectType(change.given), static_cast<DWORD>(OBJ_FONT)) << i;
    EXPECT_EQ(GetObjectType(change.held), 0u) << i;  // and then deleted, not leaked
  }
}

TEST_F(MainWindowTest, DraggingTheSplitterResizesTheLeftPanel) {
  TfrmMain& form = Start();
  HWND splitter = form.Splitter1();
  const int before = form.PanLeftWidth();
  SendMessageA(splitter, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(1, 10));
  SendMessageA(splitter, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(41, 10));
  SendMessageA(splitter, WM_LBUTTONUP, 0, MAKELPARAM(41, 10));
  Pump();
  EXPECT_EQ(form.PanLeftWidth(), before + 40);
  RECT list;
  GetClientRect(form.ListViewHandle(), &list);
  RECT panel;
  GetClientRect(form.PanLeft(), &panel);
  EXPECT_EQ(panel.right, before + 40);
}

TEST_F(MainWindowTest, ToolTipsNameTheButtonsWithTheirDelays) {
  TfrmMain& form = Start();
  HWND tips = reinterpret_cast<HWND>(SendMessageA(form.ToolBar1(), TB_GETTOOLTIPS, 0, 0));
  ASSERT_NE(tips, nullptr);
  EXPECT_EQ(SendMessageA(tips, TTM_GETDELAYTIME, TTDT_INITIAL, 0), 500);
  EXPECT_EQ(SendMessageA(tips, TTM_GETDELAYTIME, TTDT_AUTOPOP, 0), 2500);
  NMTTDISPINFOA info{};
  info.hdr.hwndFrom = tips;
  info.hdr.idFrom = F::cmSaveAs;
  info.hdr.code = TTN_GETDISPINFOA;
  SendMessageA(form.Handle(), WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&info));
  ASSERT_NE(info.lpszText, nullptr);
  EXPECT_STREQ(info.lpszText, "Save as Batch File");
}

}  // namespace
