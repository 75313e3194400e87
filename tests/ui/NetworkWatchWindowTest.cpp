// The main window and its network watch, with a table of adapters in place of the system:
// what asks for the watch's fallback, and what a possible change of network refreshes.
#include <windows.h>

#include <commctrl.h>

#include <string>

#include "AdapterFixtures.h"
#include "AdapterStatus.h"
#include "MainWindowFixture.h"
#include "NetworkWatch.h"
#include "SystemNetshReplaced.h"
#include "TrayIcon.h"

namespace {

class NetworkWatchWindowTest : public MainWindowTest {
 protected:
  std::string Status() {
    char text[512] = {};
    SendMessageA(main_->StatusBar(), SB_GETTEXTA, 1, reinterpret_cast<LPARAM>(text));
    return text;
  }

  // The watch looks for changes on its own only where the system gives no notices (Wine).
  void ExpectAsked(bool asked) {
    EXPECT_EQ(main_->NetworkWatch().FallbackInUse(), asked && RunningUnderWine());
    EXPECT_EQ(main_->NetworkWatch().Timer().Enabled(), asked && RunningUnderWine());
  }
};

struct TAskCase {
  const char* onNetwork;
  bool asks;
};

const TAskCase kAskCases[] = {{"", false}, {"offer", true}, {"switch", true}, {"sometimes", false}};

// Loaded from the store, and after every change of an entry the store is told of.
TEST_F(NetworkWatchWindowTest, TheFallbackRunsOnlyWhileAProfileAsksForItsNetwork) {
  WriteStore(StoreSection("Home", HomeProfile()) + StoreSection("Office", OfficeProfile()) +
             "OnNetwork=switch\r\n");
  Start();
  ExpectAsked(true);

  for (const TAskCase& ask : kAskCases) {
    SCOPED_TRACE(std::string("OnNetwork=") + ask.onNetwork);
    main_->List().EntryAt(1)->Profile.OnNetwork = ask.onNetwork;
    main_->StoreChanged();
    ExpectAsked(ask.asks);
  }

  // The asking profile goes.
  main_->List().EntryAt(1)->Profile.OnNetwork = "offer";
  main_->StoreChanged();
  Select(1);
  Press(TfrmMain::cmDelete);
  Pump();
  ASSERT_EQ(Captions(), std::vector<std::string>{"Home"});
  ExpectAsked(false);
}

// One reading: the tooltip names what is in force now; the status part follows the editor's
// adapter while it shows that adapter's state, and leaves a report alone.
TEST_F(NetworkWatchWindowTest, APossibleChangeRefreshesTheTooltipAndTheAdaptersState) {
  adapters_.Reading.Adapters = {OfficeAdapter()};
  WriteStore(StoreSection("Office", OfficeProfile()));
  Start();
  Select(0);
  EXPECT_EQ(main_->Tray().Icon().Hint(), "Ardenix: Office on Ethernet");
  const std::string before = Status();

  adapters_.Reading.Adapters[0].Addresses = {{"192.168.7.20", 24}};
  int reads = adapters_.Reads;
  main_->NetworkMayHaveChanged();
  EXPECT_EQ(adapters_.Reads, reads + 1);
  EXPECT_EQ(main_->Tray().Icon().Hint(), "Ardenix");
  EXPECT_EQ(Status(), AdapterStatusText(adapters_.Reading, OfficeProfile()));
  EXPECT_NE(Status(), before);

  main_->ShowAdapterStatus("Office is active on Ethernet: 10.0.0.5/24");
  adapters_.Reading.Adapters = {OfficeAdapter()};
  main_->NetworkMayHaveChanged();
  EXPECT_EQ(Status(), "Office is active on Ethernet: 10.0.0.5/24");
  EXPECT_EQ(main_->Tray().Icon().Hint(), "Ardenix: Office on Ethernet");
  EXPECT_TRUE(errors_.empty());
}

}  // namespace
