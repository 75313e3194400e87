// What the window shows of an apply: the real main window with the shell's calls recorded
// (and passed on), netsh's start answered by a stand-in, the adapters as the test sets them.
#include <windows.h>

#include <commctrl.h>

#include "MainWindowFixture.h"
#include "ShellRecorder.h"
#include "TestPump.h"
#include "TrayIcon.h"
#include "TrayMenu.h"

namespace {

constexpr const char* kBlank = "   .   .   .   ";
const TNetInfo kOffice{
    "Ethernet", false, "10 .0  .0  .5  ", "255.255.255.0  ", "10 .0  .0  .1  ", "10 .0  .0  .1  ",
    kBlank,     kBlank};

TAdapterState OfficeAdapter() {
  TAdapterState adapter;
  adapter.FriendlyName = "Ethernet";
  adapter.Up = true;
  adapter.Addresses = {{"10.0.0.5", 24}};
  adapter.Gateways = {"10.0.0.1"};
  adapter.DnsServers = {"10.0.0.1"};
  return adapter;
}

class ApplyReportTest : public MainWindowTest {
 protected:
  // The balloons of the program's icon, in order.
  std::vector<NOTIFYICONDATAA> Balloons() {
    std::vector<NOTIFYICONDATAA> balloons;
    for (const TShellRecorder::TCall& call : shell_.Calls)
      if (call.Record.uID == main_->Tray().Icon().ShellId() && (call.Record.uFlags & NIF_INFO))
        balloons.push_back(call.Record);
    return balloons;
  }
  void AwaitBalloons(size_t count, DWORD ms = 30000) {
    PumpMessages(ms, [&] { return Balloons().size() >= count; });
  }
  std::string StatusText() {
    char text[512] = {};
    SendMessageA(main_->StatusBar(), SB_GETTEXTA, 1,
                 reinterpret_cast<LPARAM>(text));  // the adapter's part
    return text;
  }

  TShellRecorder shell_{true};
};

TEST_F(ApplyReportTest, AVerifiedApplyIsReportedInTheBalloonTheTooltipAndTheStatusBar) {
  adapters_.Reading.Adapters = {OfficeAdapter()};
  WriteStore(StoreSection("Office", kOffice));
  Start();
  Select(0);
  Press(TfrmMain::cmApply);
  AwaitBalloons(1);
  const std::vector<NOTIFYICONDATAA> balloons = Balloons();
  ASSERT_EQ(balloons.size(), 1u);
  const std::string text =
      "Office is active on Ethernet: 10.0.0.5/24, gateway 10.0.0.1, DNS 10.0.0.1";
  EXPECT_STREQ(balloons[0].szInfoTitle, "Office");
  EXPECT_EQ(balloons[0].szInfo, text);
  EXPECT_EQ(balloons[0].dwInfoFlags, static_cast<DWORD>(NIIF_INFO));
  EXPECT_EQ(main_->Tray().Icon().Hint(), "Ardenix: Office on Ethernet\n" + text);
  EXPECT_EQ(StatusText(), text);
  main_->Tray().SetActiveLine("Ardenix");
  EXPECT_EQ(shell_.Calls.back().Record.uFlags & NIF_INFO, 0u)
      << "a later update shows no balloon again";
  EXPECT_EQ(main_->Tray().Icon().Hint(), "Ardenix\n" + text) << "the report stays the second line";
}

// The profile was made on "Ethernet"; Windows has renamed that adapter "Ethernet 2" and
// given the name to a docking station's adapter.
TEST_F(ApplyReportTest, AnApplyFollowsARenamedAdapterAndTheProfileTakesItsNewName) {
  constexpr char kOwnId[] = "{11111111-2222-3333-4444-555555555555}";
  TAdapterState renamed = OfficeAdapter();
  renamed.FriendlyName = "Ethernet 2";
  renamed.Id = kOwnId;
  TAdapterState dock;
  dock.FriendlyName = "Ethernet";
  dock.Id = "{99999999-8888-7777-6666-555555555555}";
  adapters_.Reading.Adapters = {dock, renamed};
  WriteStore(StoreSection("Office", kOffice) + "AdapterId=" + kOwnId + "\r\n");
  Start();
  Select(0);
  Press(TfrmMain::cmApply);
  ASSERT_EQ(starter_.Starts.size(), 1u);
  const std::optional<std::string> script = ReadFile(scriptPath_);
  ASSERT_TRUE(script);
  EXPECT_NE(script->find("name=\"Ethernet 2\""), std::string::npos) << *script;
  AwaitBalloons(1);
  ASSERT_EQ(Balloons().size(), 1u);
  EXPECT_STREQ(Balloons()[0].szInfo,
               "Office is active on Ethernet 2 (renamed from \"Ethernet\"): 10.0.0.5/24, gateway "
               "10.0.0.1, DNS 10.0.0.1");
  EXPECT_EQ(Lan(), "Ethernet 2") << "the editor shows the profile's new name";
  EXPECT_TRUE(PumpUntil([&] {
    return ReadStore() && ReadStore()->find("LAN=Ethernet 2\r\n") != std::string::npos;
  })) << ReadStore().value_or("");
  EXPECT_NE(ReadStore()->find(std::string("AdapterId=") + kOwnId), std::string::npos);
}

TEST_F(ApplyReportTest, TheTrayMenusApplyReportsWhatDiffersWithNetshsExitCode) {
  TAdapterState other = OfficeAdapter();
  other.Gateways = {"192.168.1.1"};
  adapters_.Reading.Adapters = {other};
  starter_.ExitCode = 1;
  WriteStore(StoreSection("Office on the third floor", kOffice));
  Start();
  main_->Tray().Menu().Rebuild();
  main_->Tray().Menu().Menu().Items(0).Click();
  AwaitBalloons(1, 30000);  // a static profile is read again for 3 s
  const std::vector<NOTIFYICONDATAA> balloons = Balloons();
  ASSERT_EQ(balloons.size(), 1u);
  EXPECT_STREQ(balloons[0].szInfoTitle, "Office on the third floor");
  EXPECT_STREQ(
      balloons[0].szInfo,
      "Office on the third floor is only partly active on Ethernet: gateway is 192.168.1.1, "
      "not 10.0.0.1 (netsh ended with exit code 1)");
  EXPECT_EQ(balloons[0].dwInfoFlags, static_cast<DWORD>(NIIF_WARNING));
  // The tooltip holds 127 characters: the report is cut to fit behind the first line.
  const std::string hint = main_->Tray().Icon().Hint();
  EXPECT_EQ(hint.size(), 127u);
  EXPECT_EQ(hint.rfind("Ardenix\nOffice on the third floor is only partly active", 0), 0u) << hint;
  EXPECT_EQ(hint.substr(124), "...");
}

TEST_F(ApplyReportTest, DeclinedRightsAreAnErrorBalloonAndAnApplyWhileOneIsPendingIsRefused) {
  adapters_.Reading.Adapters = {OfficeAdapter()};
  WriteStore(StoreSection("Office", kOffice) + StoreSection("Elsewhere", kOffice));
  Start();
  starter_.Failure = TStartFailure{1223, "The operation was canceled by the user."};
  Select(1);  // Office
  Press(TfrmMain::cmApply);
  ASSERT_EQ(Balloons().size(), 1u) << "a start that failed is reported at once";
  EXPECT_STREQ(Balloons()[0].szInfo, "Administrator rights were declined; nothing was changed");
  EXPECT_EQ(Balloons()[0].dwInfoFlags, static_cast<DWORD>(NIIF_ERROR));

  starter_.Failure.reset();
  Select(0);  // Elsewhere
  Press(TfrmMain::cmApply);
  Select(1);  // Office, while Elsewhere's netsh is pending and holds the script
  Press(TfrmMain::cmApply);
  ASSERT_EQ(Balloons().size(), 2u) << "the refusal is reported at once";
  EXPECT_STREQ(Balloons()[1].szInfoTitle, "Office");
  EXPECT_STREQ(Balloons()[1].szInfo, "Office: another apply is running; nothing was applied");
  EXPECT_EQ(Balloons()[1].dwInfoFlags, static_cast<DWORD>(NIIF_ERROR));
  AwaitBalloons(3);
  PumpMessages(300);
  ASSERT_EQ(Balloons().size(), 3u);
  EXPECT_STREQ(Balloons()[2].szInfoTitle, "Elsewhere") << "the pending apply goes on";
}

}  // namespace
