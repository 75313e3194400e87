// The editor's lines about a profile's network: the remembered network in words, what to
// do when it is here, Forget, and the hint about the elevation prompt; loaded from and
// kept in the store with the rest of the profile.
#include <windows.h>

#include <commctrl.h>

#include <functional>
#include <memory>
#include <string>

#include "EditorNetwork.h"
#include "MainWindowFixture.h"
#include "ProfileEditor.h"

namespace {

using F = TfrmMain;
constexpr const char* kNotKnown = "Network: not known yet; apply the profile once on its network";

std::string Text(HWND window) {
  char text[256] = {};
  GetWindowTextA(window, text, sizeof text);
  return text;
}

std::string ChoiceShown(HWND choice) {
  char text[64] = {};
  const LRESULT item = SendMessageA(choice, CB_GETCURSEL, 0, 0);
  if (item >= 0) SendMessageA(choice, CB_GETLBTEXT, item, reinterpret_cast<LPARAM>(text));
  return text;
}

// The user picks the list's item: the selection moves, and the box tells its parent.
void Pick(HWND choice, int item) {
  SendMessageA(choice, CB_SETCURSEL, static_cast<WPARAM>(item), 0);
  SendMessageA(GetParent(choice), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(choice), CBN_SELCHANGE),
               reinterpret_cast<LPARAM>(choice));
}

constexpr int kNothing = 0;
constexpr int kSwitch = 2;

// A section of the store with the network keys after the profile's own.
std::string NetworkSection(const std::string& caption, const std::string& networkKeys) {
  TNetInfo profile;
  profile.LAN = "Ethernet";
  profile.DHCP = true;
  return StoreSection(caption, profile) + networkKeys;
}

class EditorNetworkWindow : public MainWindowTest {
 protected:
  TEditorNetwork& Network() { return main_->Editor().Network(); }
  bool AwaitStore(const std::function<bool(const std::string&)>& done) {
    return PumpUntil([&] {
      const auto store = ReadStore();
      return store && done(*store);
    });
  }
  static bool Has(const std::string& store, const std::string& part) {
    return store.find(part) != std::string::npos;
  }
};

TEST_F(EditorNetworkWindow, TheLineSaysWhatTheSelectedProfileRemembers) {
  WriteStore(NetworkSection("A gateway",
                            "NetworkGateway=192.168.1.1\r\n"
                            "NetworkGatewayMac=00-11-22-33-44-55\r\n") +
             NetworkSection("B wifi",
                            "NetworkGateway=10.0.0.1\r\nNetworkGatewayMac=00-AA-BB-CC-DD-EE\r\n"
                            "NetworkWifi=Office\r\n") +
             NetworkSection("C new", ""));
  Start();
  const struct {
    int index;
    const char* text;
    bool forgettable;
  } cases[] = {
      {0, "Network: gateway 192.168.1.1 (00-11-22-33-44-55)", true},
      {1, "Network: Wi-Fi \"Office\"", true},
      {2, kNotKnown, false},
      {0, "Network: gateway 192.168.1.1 (00-11-22-33-44-55)", true},  // back again
  };
  for (const auto& c : cases) {
    Select(c.index);
    EXPECT_EQ(Text(Network().Description()), c.text) << c.index;
    EXPECT_EQ(IsWindowEnabled(Network().Forget()) != FALSE, c.forgettable) << c.index;
  }
}

TEST_F(EditorNetworkWindow, ChoosingToSwitchAutomaticallyIsInTheStore) {
  WriteStore(NetworkSection("Office", "NetworkGatewayMac=00-11-22-33-44-55\r\n"));
  Start();
  Select(0);
  EXPECT_EQ(ChoiceShown(Network().Choice()), "Do nothing");
  Pick(Network().Choice(), kSwitch);
  ASSERT_TRUE(AwaitStore([](const std::string& s) { return Has(s, "OnNetwork=switch\r\n"); }))
      << ReadStore().value_or("(none)");
  // Back to nothing: the key goes, as for a profile that never asked.
  Pick(Network().Choice(), kNothing);
  ASSERT_TRUE(AwaitStore([](const std::string& s) { return !Has(s, "OnNetwork"); }))
      << ReadStore().value_or("(none)");
  EXPECT_TRUE(Has(*ReadStore(), "NetworkGatewayMac=00-11-22-33-44-55"));
}

TEST_F(EditorNetworkWindow, ForgetClearsTheNetworkInTheStoreAndDisablesItself) {
  WriteStore(NetworkSection("Office",
                            "NetworkGateway=192.168.1.1\r\nNetworkGatewayMac=00-11-22-33-44-55\r\n"
                            "NetworkWifi=Office\r\nOnNetwork=offer\r\n"));
  Start();
  Select(0);
  ASSERT_TRUE(IsWindowEnabled(Network().Forget()));
  SetFocus(Network().Forget());
  SendMessageA(Network().Forget(), BM_CLICK, 0, 0);
  Pump();
  EXPECT_EQ(Text(Network().Description()), kNotKnown);
  EXPECT_FALSE(IsWindowEnabled(Network().Forget()));
  EXPECT_EQ(GetFocus(), Network().Choice()) << "the keys do not stay with a disabled button";
  ASSERT_TRUE(AwaitStore([](const std::string& s) {
    return !Has(s, "NetworkGateway") && !Has(s, "NetworkWifi");
  })) << ReadStore().value_or("(none)");
  // What to do there is the user's choice, not part of the network: it stays.
  EXPECT_TRUE(Has(*ReadStore(), "OnNetwork=offer"));
}

// The profile is edited elsewhere (DHCP): the keys the editor shows only in part, or not
// at all, go back to the store as they were read.
TEST_F(EditorNetworkWindow, AnEditKeepsTheNetworkAndAChoiceThatDoesNotParse) {
  const std::string networkKeys =
      "NetworkGateway=192.168.1.1\r\nNetworkGatewayMac=00-11-22-33-44-55\r\n"
      "NetworkWifi=Office & Lab\r\nOnNetwork=always!\r\n";
  WriteStore(NetworkSection("Office", networkKeys));
  Start();
  Select(0);
  EXPECT_EQ(ChoiceShown(Network().Choice()), "Do nothing");
  SendMessageA(main_->Editor().EdDHCP(), BM_CLICK, 0, 0);
  ASSERT_TRUE(AwaitStore([](const std::string& s) { return Has(s, "DHCP=0"); }));
  EXPECT_TRUE(Has(*ReadStore(), networkKeys)) << *ReadStore();
}

// Read Current Settings fills the editor from the adapter; what to do on the profile's
// network, and the network it remembers, are not the adapter's to say.
TEST_F(EditorNetworkWindow, ReadCurrentSettingsKeepsTheNetworkAndTheChoice) {
  AddAdapter("Ethernet");
  WriteStore(
      NetworkSection("Office", "NetworkGatewayMac=00-11-22-33-44-55\r\nOnNetwork=offer\r\n"));
  Start();
  Select(0);
  Press(F::cmReadCurrent);
  ASSERT_TRUE(errors_.empty()) << errors_.front();
  EXPECT_EQ(ChoiceShown(Network().Choice()), "Offer the switch");
  EXPECT_EQ(Text(Network().Description()), "Network: gateway 00-11-22-33-44-55");
  ASSERT_TRUE(AwaitStore([](const std::string& s) { return Has(s, "DHCP=0"); }));
  EXPECT_TRUE(Has(*ReadStore(), "NetworkGatewayMac=00-11-22-33-44-55\r\nOnNetwork=offer\r\n"))
      << *ReadStore();
}

// The editor alone in a panel-like window, with the program's rights as the case says.
class EditorAlone : public testing::Test {
 protected:
  void Make(bool elevated) {
    window_ = CreateWindowExA(0, "STATIC", "editor", WS_POPUP | WS_VISIBLE, 0, 0, 300, 500, nullptr,
                              nullptr, GetModuleHandleA(nullptr), nullptr);
    ASSERT_NE(window_, nullptr) << "no display";
    editor_ = std::make_unique<TProfileEditor>(window_, USER_DEFAULT_SCREEN_DPI, elevated);
  }
  ~EditorAlone() override {
    editor_.reset();
    if (window_) DestroyWindow(window_);
  }
  // The static parent does not pass its children's notices on: the editor is told as the
  // main window tells it.
  void PickAndTell(int item) {
    HWND choice = editor_->Network().Choice();
    SendMessageA(choice, CB_SETCURSEL, static_cast<WPARAM>(item), 0);
    editor_->HandleCommand(MAKEWPARAM(GetDlgCtrlID(choice), CBN_SELCHANGE));
  }
  bool HintShown() { return IsWindowVisible(editor_->Network().Hint()) != FALSE; }

  HWND window_ = nullptr;
  std::unique_ptr<TProfileEditor> editor_;
};

TEST_F(EditorAlone, TheHintShowsWhileSwitchingAutomaticallyWithoutAdministratorRights) {
  const struct {
    bool elevated;
    const char* stored;
    bool hint;
  } cases[] = {
      {false, "switch", true},  {false, "offer", false}, {false, "", false},
      {false, "Switch", true},    // any letter case, as the recognition reads it
      {false, "always", false},  // not parsed: shown as nothing, and nothing is done
      {true, "switch", false},
  };
  for (const auto& c : cases) {
    Make(c.elevated);
    TNetInfo profile;
    profile.OnNetwork = c.stored;
    editor_->Load(profile);
    EXPECT_EQ(HintShown(), c.hint) << c.stored << (c.elevated ? " elevated" : "");
    TNetInfo committed;
    editor_->Commit(committed);
    EXPECT_EQ(committed.OnNetwork, c.stored) << "kept as it was read";
    editor_.reset();
    DestroyWindow(window_);
    window_ = nullptr;
  }
  // Picked by the user: the hint follows the choice.
  Make(false);
  int edits = 0;
  editor_->OnEdited = [&] { ++edits; };
  PickAndTell(kSwitch);
  EXPECT_TRUE(HintShown());
  PickAndTell(kNothing);
  EXPECT_FALSE(HintShown());
  EXPECT_EQ(edits, 2);
}

}  // namespace
