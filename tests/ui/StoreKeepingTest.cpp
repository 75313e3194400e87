// The window keeps the store on disk as it shows it: each change is saved after a quiet
// moment, a failed save is shown and tried again, and a store that cannot be read is
// never written over or removed without the user's word.
#include <windows.h>

#include <commctrl.h>

#include <filesystem>
#include <string>
#include <vector>

#include "MainWindowFixture.h"
#include "ProfileIni.h"
#include "StoreKeeper.h"
#include "Win32KernelHandle.h"

namespace {

using F = TfrmMain;
constexpr const char* kBlank = "   .   .   .   ";
const TNetInfo kHome{"Local Area Connection", true, kBlank, kBlank, kBlank, kBlank, kBlank, kBlank};

class StoreKeepingTest : public MainWindowTest {
 protected:
  std::string StoreProblem() {
    char text[512] = {};
    SendMessageA(main_->StatusBar(), SB_GETTEXTA, 0, reinterpret_cast<LPARAM>(text));
    return text;
  }
  bool AwaitStore(const std::string& part) {
    return PumpUntil([&] {
      const auto store = ReadStore();
      return store && store->find(part) != std::string::npos;
    });
  }
};

TEST_F(StoreKeepingTest, AnEditIsOnDiskWithoutClosing) {
  WriteStore(StoreSection("Home", kHome));
  Start();
  Select(0);
  SendMessageA(main_->Editor().EdDHCP(), BM_CLICK, 0, 0);
  Pump();
  EXPECT_TRUE(main_->Keeper().SaveDue());
  ASSERT_TRUE(AwaitStore("DHCP=0")) << ReadStore().value_or("(none)");
  EXPECT_FALSE(main_->Keeper().Timer().Enabled()) << "no timer while nothing is due";
}

TEST_F(StoreKeepingTest, KeysTypedIntoAFieldAreOnDiskWithoutClosing) {
  WriteStore(StoreSection("Home", kHome));
  Start();
  Select(0);
  SendMessageA(main_->Editor().EdDHCP(), BM_CLICK, 0, 0);  // the fields take keys
  ASSERT_TRUE(AwaitStore("DHCP=0"));
  const HWND ip = main_->Editor().AddressField(&TNetInfo::IP);
  SetFocus(ip);
  for (char key : std::string("10.1.2.3")) SendMessageA(ip, WM_CHAR, static_cast<WPARAM>(key), 0);
  Pump();
  ASSERT_TRUE(AwaitStore("IP=\"10 .1  .2  .3  \"")) << ReadStore().value_or("(none)");
}

TEST_F(StoreKeepingTest, ReadCurrentSettingsIsOnDiskWithoutClosing) {
  TAdapterState adapter;
  adapter.FriendlyName = "Local Area Connection";
  adapter.Up = true;
  adapter.Addresses = {{"10.4.4.4", 24}};
  adapters_.Reading.Adapters = {adapter};
  WriteStore(StoreSection("Home", kHome));
  Start();
  Select(0);
  Press(F::cmReadCurrent);
  ASSERT_TRUE(AwaitStore("IP=\"10 .4  .4  .4  \"")) << ReadStore().value_or("(none)");
}

TEST_F(StoreKeepingTest, AddingRenamingAndDeletingAreOnDiskWithoutClosing) {
  WriteStore(StoreSection("Home", kHome));
  Start();
  Press(F::cmNew);
  ASSERT_TRUE(AwaitStore("[Current Configuration]"));
  // The caption New opened may have closed meanwhile if another window took the focus.
  HWND edit = reinterpret_cast<HWND>(
      SendMessageA(main_->ListViewHandle(), LVM_EDITLABELA, main_->List().SelectedIndex(), 0));
  ASSERT_NE(edit, nullptr);
  SetWindowTextA(edit, "Lab");
  SendMessageA(edit, WM_KEYDOWN, VK_RETURN, 0);
  Pump();
  ASSERT_TRUE(AwaitStore("[Lab]"));
  Select(1);  // Lab
  Press(F::cmDelete);
  ASSERT_TRUE(PumpUntil([&] { return ReadStore() && ReadStore()->find("[Lab]") == std::string::npos; }));
}

TEST_F(StoreKeepingTest, ASelectionThatChangesNothingWritesNothing) {
  const std::string written = StoreSection("Home", kHome);
  WriteStore(written);
  Start();
  Select(0);
  EXPECT_FALSE(main_->Keeper().SaveDue()) << "showing a profile changes nothing";
  PumpUntil([&] { return !main_->Keeper().SaveDue(); });
  EXPECT_EQ(ReadStore(), written) << "the store as the user wrote it";
}

TEST_F(StoreKeepingTest, AFailedSaveIsShownAndTriedAgainWithoutAnotherChange) {
  Start();
  std::filesystem::create_directory(storePath_);  // nothing can be written in its place
  Press(F::cmNew);
  ASSERT_TRUE(PumpUntil([&] { return !StoreProblem().empty() && StoreProblem() != "Torvane"; }));
  EXPECT_EQ(StoreProblem(), "Not saved: Unable to write to " + storePath_ + "; Ardenix tries again");
  EXPECT_TRUE(errors_.empty()) << "no box for a save in the background";
  // What held the place lets go; nothing else changes in the window.
  std::filesystem::remove(storePath_);
  ASSERT_TRUE(AwaitStore("[Current Configuration]"));
  EXPECT_EQ(StoreProblem(), "Torvane");
}

TEST_F(StoreKeepingTest, AChangeAfterAFailedSaveIsSavedAfterTheQuietMoment) {
  Start();
  std::filesystem::create_directory(storePath_);
  Press(F::cmNew);
  ASSERT_TRUE(PumpUntil([&] { return StoreProblem().rfind("Not saved", 0) == 0; }));
  std::filesystem::remove(storePath_);
  Press(F::cmNew);
  EXPECT_EQ(main_->Keeper().Timer().Interval(), TStoreKeeper::kQuietMs);
  ASSERT_TRUE(AwaitStore("[Current Configuration 2]"));
}

// Held open without sharing, as a virus scanner or a sync client does for a moment.
class UnreadableStoreTest : public StoreKeepingTest {
 protected:
  void StartWithStoreHeld() {
    WriteStore(written_);
    held_ = TKernelHandle(CreateFileA(storePath_.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                                      FILE_ATTRIBUTE_NORMAL, nullptr));
    ASSERT_TRUE(held_);
    Start();
    held_ = TKernelHandle();  // released before the window closes
  }

  const std::string written_ = StoreSection("Home", kHome) + StoreSection("Lab", kHome);
  TKernelHandle held_;
};

TEST_F(UnreadableStoreTest, IsSaidAtStartAndLeftAsItIsWhenTheUserSaysNo) {
  StartWithStoreHeld();
  ASSERT_EQ(errors_.size(), 1u);
  EXPECT_EQ(errors_[0].rfind("The connections in " + storePath_ + " cannot be read: ", 0), 0u)
      << errors_[0];
  EXPECT_EQ(StoreProblem().rfind("Not read: ", 0), 0u) << StoreProblem();
  EXPECT_TRUE(Captions().empty());
  Press(F::cmNew);
  PumpUntil([&] { return !main_->Keeper().SaveDue(); });
  EXPECT_EQ(ReadStore(), written_) << "not written in the background";
  answer_ = IDNO;
  CloseWindow();
  EXPECT_EQ(questions_.size(), 1u);
  EXPECT_TRUE(application_->Terminated());
  EXPECT_EQ(ReadStore(), written_);
}

TEST_F(UnreadableStoreTest, CancelKeepsTheWindowAndYesWritesTheWindowsConnections) {
  StartWithStoreHeld();
  Press(F::cmNew);
  answer_ = IDCANCEL;
  CloseWindow();
  EXPECT_FALSE(application_->Terminated());
  EXPECT_EQ(ReadStore(), written_);
  answer_ = IDYES;
  CloseWindow();
  EXPECT_TRUE(application_->Terminated());
  const TNetInfo shown{"Local Area Connection", false, kBlank, kBlank, kBlank, kBlank, kBlank, kBlank};
  EXPECT_EQ(ReadStore(), IniFromProfiles({{"Current Configuration", shown}}));
}

TEST_F(UnreadableStoreTest, AnUntouchedSessionClosesWithoutAQuestion) {
  StartWithStoreHeld();
  CloseWindow();
  EXPECT_TRUE(questions_.empty());
  EXPECT_TRUE(application_->Terminated());
  EXPECT_EQ(ReadStore(), written_) << "an empty list removes no store that could not be read";
}

}  // namespace
