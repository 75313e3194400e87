// The main window and the computer's adapters, with a table of adapters in place of the
// system: the adapter box's list, the adapter's state in the status bar and Read Current
// Settings.
#include <windows.h>

#include <commctrl.h>

#include <string>
#include <vector>

#include "AdapterStatus.h"
#include "MainWindowFixture.h"

namespace {

using F = TfrmMain;
constexpr const char* kBlank = "   .   .   .   ";
constexpr const char* kDefaultLan = "Local Area Connection";

TAdapterState Ethernet() {
  TAdapterState adapter;
  adapter.FriendlyName = "Ethernet";
  adapter.Up = true;
  adapter.Addresses = {{"10.0.0.5", 24}, {"10.0.0.6", 16}};
  adapter.Gateways = {"10.0.0.1"};
  adapter.DnsServers = {"10.0.0.1", "10.0.0.2", "10.0.0.3"};
  adapter.PrimaryWins = "10.0.0.9";
  return adapter;
}

TAdapterState Named(const std::string& name) {
  TAdapterState adapter;
  adapter.FriendlyName = name;
  return adapter;
}

constexpr const char* kEthernetId = "{11111111-2222-3333-4444-555555555555}";
constexpr const char* kWifiId = "{99999999-8888-7777-6666-555555555555}";

TAdapterState WithIdentity(TAdapterState adapter, const char* id, const char* mac = "") {
  adapter.Id = id;
  adapter.HardwareAddress = mac;
  return adapter;
}

// The status of a record that names `name` and nothing else.
TNetInfo NameOnly(const char* name) {
  TNetInfo named;
  named.LAN = name;
  return named;
}

TAdapterReading Failed() {
  TAdapterReading reading;
  reading.Ok = false;
  reading.Error = 1;
  reading.ErrorText = "The query broke.";
  return reading;
}

TNetInfo Stored(const char* lan) {
  return TNetInfo{lan, true, "", "", "", "", "", ""};
}

class AdapterWindowTest : public MainWindowTest {
 protected:
  HWND Box() { return main_->Editor().EdLAN(); }

  // The box's list drops down as a click on its button drops it (and closes again).
  void DropDown() {
    SendMessageA(Box(), CB_SHOWDROPDOWN, TRUE, 0);
    Pump();
    SendMessageA(Box(), CB_SHOWDROPDOWN, FALSE, 0);
    Pump();
  }

  std::vector<std::string> Items() {
    std::vector<std::string> items;
    const int count = static_cast<int>(SendMessageA(Box(), CB_GETCOUNT, 0, 0));
    for (int index = 0; index < count; ++index) {
      char text[256] = {};
      SendMessageA(Box(), CB_GETLBTEXT, index, reinterpret_cast<LPARAM>(text));
      items.emplace_back(text);
    }
    return items;
  }

  // The selected entry's record as the editor leaves it in the entry.
  TNetInfo Committed(int index) {
    Select(index == 0 ? 1 : 0);
    return main_->List().EntryAt(index)->Profile;
  }

  bool StoreHolds(const std::string& text) {
    return PumpUntil([&] { return ReadStore() && ReadStore()->find(text) != std::string::npos; });
  }

  std::string Status() {
    char text[512] = {};
    SendMessageA(main_->StatusBar(), SB_GETTEXTA, 1, reinterpret_cast<LPARAM>(text));
    return text;
  }

  HWND BoxEdit() {
    COMBOBOXINFO info{};
    info.cbSize = sizeof info;
    GetComboBoxInfo(Box(), &info);
    return info.hwndItem;
  }

  // A key typed into the box's text, as the keyboard sends it.
  void Type(char key) {
    SendMessageA(BoxEdit(), WM_CHAR, static_cast<WPARAM>(key), 0);
    Pump();
  }
};

TEST_F(AdapterWindowTest, TheListHoldsTheDefaultNameThenEachAdapterReadAnewEveryTime) {
  adapters_.Reading.Adapters = {Ethernet(), Named(kDefaultLan), Named("Wi-Fi")};
  Start();
  EXPECT_EQ(Items(), std::vector<std::string>{kDefaultLan});
  SetWindowTextA(Box(), "My LAN");
  SendMessageA(Box(), CB_SETEDITSEL, 0, MAKELPARAM(1, 3));
  const int fullReads = adapters_.Reads;
  DropDown();
  EXPECT_EQ(Items(), (std::vector<std::string>{kDefaultLan, "Ethernet", "Wi-Fi"}));
  EXPECT_EQ(Lan(), "My LAN") << "free text stays";
  DWORD start = 0, end = 0;
  SendMessageA(Box(), CB_GETEDITSEL, reinterpret_cast<WPARAM>(&start),
               reinterpret_cast<LPARAM>(&end));
  EXPECT_EQ(start, 1u);
  EXPECT_EQ(end, 3u);
  EXPECT_EQ(adapters_.NameReads, 1);
  EXPECT_EQ(adapters_.Reads, fullReads) << "names alone are read for the list";

  // Adapters come and go between two openings; hundreds are read in one go.
  adapters_.Reading.Adapters.clear();
  for (int index = 0; index < 300; ++index) {
    adapters_.Reading.Adapters.push_back(Named("VPN " + std::to_string(index)));
  }
  DropDown();
  const std::vector<std::string> items = Items();
  ASSERT_EQ(items.size(), 301u);
  EXPECT_EQ(items.front(), kDefaultLan);
  EXPECT_EQ(items.back(), "VPN 299");
  EXPECT_EQ(adapters_.NameReads, 2);
}

TEST_F(AdapterWindowTest, AFailedQueryLeavesTheDefaultNameAloneAndSaysWhyWithoutABox) {
  adapters_.Reading.Adapters = {Ethernet()};
  Start();
  DropDown();
  ASSERT_EQ(Items().size(), 2u);
  adapters_.Reading = Failed();
  DropDown();
  EXPECT_EQ(Items(), std::vector<std::string>{kDefaultLan});
  EXPECT_EQ(Lan(), kDefaultLan);
  EXPECT_EQ(Status(), "Adapter state could not be read: The query broke.");
  EXPECT_TRUE(errors_.empty());
}

// The status part names the adapter the editor shows: at start, when the selection loads
// another profile, and as the user types or picks a name. One reading each time.
TEST_F(AdapterWindowTest, TheStatusFollowsTheAdapterBoxWithOneReadingEachTime) {
  adapters_.Reading.Adapters = {Ethernet(), Named("Wi-Fi")};
  WriteStore(StoreSection("Home", Stored("Wi-Fi")) + StoreSection("Office", Stored("Ethernet")));
  Start();
  EXPECT_EQ(Status(), "Local Area Connection: no such adapter on this computer");
  EXPECT_EQ(adapters_.Reads, 1) << "the tooltip and the first showing share one reading";

  int reads = adapters_.Reads;
  Select(1);
  EXPECT_EQ(Status(), AdapterStatusText(adapters_.Reading, NameOnly("Ethernet")));
  EXPECT_NE(Status().find("Ethernet: connected"), std::string::npos) << Status();
  EXPECT_EQ(adapters_.Reads, reads + 1);

  reads = adapters_.Reads;
  Select(0);
  EXPECT_EQ(Status(), AdapterStatusText(adapters_.Reading, NameOnly("Wi-Fi")));
  EXPECT_EQ(adapters_.Reads, reads + 1);

  // Typed: "Wi-Fi" + "2" names no adapter.
  SendMessageA(Box(), CB_SETEDITSEL, 0, MAKELPARAM(5, 5));  // after the name
  reads = adapters_.Reads;
  Type('2');
  EXPECT_EQ(Lan(), "Wi-Fi2");
  EXPECT_EQ(Status(), "Wi-Fi2: no such adapter on this computer");
  EXPECT_EQ(adapters_.Reads, reads + 1);

  // Picked from the list: the default name, then the next item down, "Ethernet".
  DropDown();
  SendMessageA(Box(), CB_SETCURSEL, 0, 0);
  SendMessageA(BoxEdit(), WM_KEYDOWN, VK_DOWN, 0);
  Pump();
  EXPECT_EQ(Status(), AdapterStatusText(adapters_.Reading, NameOnly("Ethernet")));
  EXPECT_TRUE(errors_.empty());
}

TEST_F(AdapterWindowTest, AFailedReadingShowsInTheStatusWithoutABox) {
  adapters_.Reading = Failed();
  Start();
  EXPECT_EQ(Status(), "Adapter state could not be read: The query broke.");
  EXPECT_TRUE(errors_.empty());
}

TEST_F(AdapterWindowTest, ReadCurrentSettingsFillsTheEditorNotTheStoredProfile) {
  adapters_.Reading.Adapters = {Named("Wi-Fi"), Ethernet()};
  WriteStore(StoreSection("Office", Stored("Ethernet")) + StoreSection("Zoo", Stored("Wi-Fi")));
  Start();
  Select(0);
  Press(F::cmReadCurrent);
  EXPECT_TRUE(errors_.empty());
  EXPECT_EQ(Lan(), "Ethernet");
  EXPECT_FALSE(DhcpChecked());
  EXPECT_TRUE(FieldEnabled(&TNetInfo::IP));
  // The first address and its mask, the first gateway, two DNS servers, the WINS server.
  EXPECT_EQ(Field(&TNetInfo::IP), "10 .0  .0  .5  ");
  EXPECT_EQ(Field(&TNetInfo::SN), "255.255.255.0  ");
  EXPECT_EQ(Field(&TNetInfo::DG), "10 .0  .0  .1  ");
  EXPECT_EQ(Field(&TNetInfo::DNS), "10 .0  .0  .1  ");
  EXPECT_EQ(Field(&TNetInfo::ADNS), "10 .0  .0  .2  ");
  EXPECT_EQ(Field(&TNetInfo::WINS), "10 .0  .0  .9  ");
  EXPECT_TRUE(main_->List().EntryAt(0)->Profile.DHCP) << "the stored profile waits";
  Select(1);
  const TNetInfo& office = main_->List().EntryAt(0)->Profile;
  EXPECT_FALSE(office.DHCP);
  EXPECT_EQ(office.IP, "10 .0  .0  .5  ");
  EXPECT_EQ(office.WINS, "10 .0  .0  .9  ");

  // An adapter without address, gateway or servers blanks the fields.
  Press(F::cmReadCurrent);
  EXPECT_EQ(Lan(), "Wi-Fi");
  for (auto field : {&TNetInfo::IP, &TNetInfo::SN, &TNetInfo::DG, &TNetInfo::DNS,
                     &TNetInfo::ADNS, &TNetInfo::WINS}) {
    EXPECT_EQ(Field(field), kBlank);
  }
}

// A picked adapter is known by its identity from then on; a typed name may be another
// adapter's, so typing forgets it.
TEST_F(AdapterWindowTest, PickingAnAdapterTakesItsIdentityAndTypingForgetsIt) {
  adapters_.Reading.Adapters = {WithIdentity(Ethernet(), kEthernetId, "00-15-5D-01-02-03"),
                                WithIdentity(Named("Wi-Fi"), kWifiId)};
  WriteStore(StoreSection("Home", Stored("Wi-Fi")) + StoreSection("Office", Stored("Wi-Fi")));
  Start();
  Select(1);
  DropDown();
  SendMessageA(Box(), CB_SETCURSEL, 0, 0);
  SendMessageA(BoxEdit(), WM_KEYDOWN, VK_DOWN, 0);  // "Ethernet", below the default name
  Pump();
  TNetInfo office = Committed(1);
  EXPECT_EQ(office.LAN, "Ethernet");
  EXPECT_EQ(office.AdapterId, kEthernetId);
  EXPECT_EQ(office.AdapterMac, "00-15-5D-01-02-03");
  EXPECT_TRUE(StoreHolds("[Office]\r\nLAN=Ethernet\r\n"));
  EXPECT_NE(ReadStore()->find(std::string("AdapterId=") + kEthernetId +
                              "\r\nAdapterMac=00-15-5D-01-02-03\r\n"),
            std::string::npos)
      << *ReadStore();

  Select(1);
  SendMessageA(Box(), CB_SETEDITSEL, 0, MAKELPARAM(8, 8));
  Type('2');
  office = Committed(1);
  EXPECT_EQ(office.LAN, "Ethernet2");
  EXPECT_EQ(office.AdapterId, "");
  EXPECT_EQ(office.AdapterMac, "");
  EXPECT_TRUE(errors_.empty());
}

// The profile was made on "Ethernet", which Windows has since renamed "Ethernet 2".
TEST_F(AdapterWindowTest, ARenamedAdapterIsShownAndReadUnderItsNewName) {
  adapters_.Reading.Adapters = {WithIdentity(Named("Ethernet"), kWifiId),
                                WithIdentity(Ethernet(), kEthernetId)};
  adapters_.Reading.Adapters[1].FriendlyName = "Ethernet 2";
  WriteStore(StoreSection("Office", Stored("Ethernet")) + "AdapterId=" + kEthernetId + "\r\n");
  Start();
  Select(0);
  EXPECT_EQ(Status(),
            "Ethernet 2 (was \"Ethernet\"): connected, 10.0.0.5/24, 10.0.0.6/16, gateway 10.0.0.1, DNS "
            "10.0.0.1, 10.0.0.2, 10.0.0.3");
  Press(F::cmReadCurrent);
  EXPECT_EQ(Lan(), "Ethernet 2");
  EXPECT_EQ(Field(&TNetInfo::IP), "10 .0  .0  .5  ");
  EXPECT_TRUE(StoreHolds("LAN=Ethernet 2\r\n"));
  EXPECT_NE(ReadStore()->find(std::string("AdapterId=") + kEthernetId), std::string::npos);
  EXPECT_TRUE(errors_.empty());
}

TEST_F(AdapterWindowTest, ReadCurrentSettingsLearnsTheIdentityOfTheNamedAdapter) {
  adapters_.Reading.Adapters = {WithIdentity(Ethernet(), kEthernetId, "00-15-5D-01-02-03")};
  WriteStore(StoreSection("Office", Stored("ethernet")));
  Start();
  Select(0);
  Press(F::cmReadCurrent);
  EXPECT_EQ(Lan(), "ethernet") << "the name as written finds the adapter and stays";
  EXPECT_TRUE(StoreHolds(std::string("AdapterId=") + kEthernetId + "\r\nAdapterMac=00-15-5D-01-02-03"));
  EXPECT_TRUE(errors_.empty());
}

struct NewProfileCase {
  const char* name;
  std::vector<TAdapterState> adapters;
  const char* lan;
  const char* id;
};

class NewConnectionAdapter : public AdapterWindowTest,
                             public testing::WithParamInterface<NewProfileCase> {};

TEST_P(NewConnectionAdapter, StartsOnTheAdapterWithTheDefaultRoute) {
  adapters_.Reading.Adapters = GetParam().adapters;
  Start();
  Press(F::cmNew);
  EXPECT_EQ(Lan(), GetParam().lan);
  Press(F::cmNew);  // the editor goes into the first one
  const TNetInfo& first = main_->List().EntryAt(0)->Profile;
  EXPECT_EQ(first.AdapterId, GetParam().id);
}

TAdapterState Unrouted(TAdapterState adapter) {
  adapter.Gateways.clear();
  return adapter;
}

INSTANTIATE_TEST_SUITE_P(
    Adapters, NewConnectionAdapter,
    testing::Values(
        NewProfileCase{"NoAdapter", {}, kDefaultLan, ""},
        NewProfileCase{"TheRoutedOne",
                       {WithIdentity(Unrouted(Ethernet()), kWifiId), WithIdentity(Ethernet(), kEthernetId)},
                       "Ethernet", kEthernetId},
        NewProfileCase{"TheDefaultNameIsThere",
                       {WithIdentity(Ethernet(), kEthernetId), Named(kDefaultLan)}, kDefaultLan, ""}),
    [](const auto& param) { return std::string(param.param.name); });

TEST_F(AdapterWindowTest, ReadCurrentSettingsWithoutASelectionDoesNothing) {
  adapters_.Reading.Adapters = {Ethernet()};
  Start();
  SetWindowTextA(Box(), "Ethernet");
  const int reads = adapters_.Reads;
  Press(F::cmReadCurrent);
  EXPECT_EQ(adapters_.Reads, reads);
  EXPECT_EQ(Field(&TNetInfo::IP), kBlank);
  EXPECT_TRUE(errors_.empty());
}

TEST_F(AdapterWindowTest, ReadCurrentSettingsOfAnUnknownOrUnreadableAdapterShowsAnError) {
  adapters_.Reading.Adapters = {Ethernet()};
  WriteStore(StoreSection("Lab", TNetInfo{"Lab LAN", false, "192.168.7.2", "255.255.255.0", "",
                                          "", "", ""}));
  Start();
  Select(0);
  Press(F::cmReadCurrent);
  EXPECT_EQ(errors_, std::vector<std::string>{"No adapter named \"Lab LAN\" on this computer."});
  EXPECT_EQ(Field(&TNetInfo::IP), "192.168.7  .2  ") << "the editor keeps its values";

  errors_.clear();
  adapters_.Reading = Failed();
  Press(F::cmReadCurrent);
  EXPECT_EQ(errors_,
            std::vector<std::string>{"The adapters could not be read: The query broke."});
  EXPECT_EQ(Field(&TNetInfo::IP), "192.168.7  .2  ");
}

}  // namespace
