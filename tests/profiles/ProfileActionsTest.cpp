#include "ProfileActions.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <optional>
#include <ostream>
#include <random>
#include <string>
#include <vector>

#include "BatchFile.h"
#include "FileBytes.h"
#include "NetshScript.h"
#include "ServiceDoubles.h"
#include "StdFileSystem.h"

namespace {

namespace fs = std::filesystem;

// Real files in a fresh folder; the executable "lives" in it.
class ProfileActionsTest : public testing::Test {
 protected:
  void SetUp() override {
    folder_ = fs::path(testing::TempDir()) /
              ("ardenix-actions-" + std::to_string(std::random_device{}()));
    fs::create_directories(folder_);
    paths_.Executable = (folder_ / "Ardenix.exe").string();
  }
  void TearDown() override { fs::remove_all(folder_); }

  std::string InFolder(const std::string& name) const { return (folder_ / name).string(); }

  fs::path folder_;
  TStdFileSystem files_;
  TFixedPaths paths_;
  TRecordingStarter starter_;
  TAnsweringAsker asker_;
  TTableConsole console_;
  TProfileActions actions_{files_, paths_, starter_, asker_, console_};
};

// A static profile as the editor leaves it: alternate DNS and WINS untouched.
const TNetInfo kEdited{"Local Area Connection", false,
                       "10 .0  .0  .5  ",       "   .   .   .   ",
                       "10 .0  .0  .1  ",       "10 .0  .0  .1  ",
                       "   .   .   .   ",       "   .   .   .   "};

TEST_F(ProfileActionsTest, ApplyWritesTheNormalisedScriptAndStartsSystemNetsh) {
  actions_.Apply(kEdited);
  const std::string script = InFolder("Ardenix.TMP");
  EXPECT_EQ(FileBytes(script),
            "pushd interface ip\r\n"
            "set address name=\"Local Area Connection\" source=static addr=10.0.0.5 "
            "mask=255.255.255.0\r\n"
            "set address name=\"Local Area Connection\" gateway=10.0.0.1 gwmetric=0\r\n"
            "set dns name=\"Local Area Connection\" source=static addr=10.0.0.1\r\n"
            "set wins name=\"Local Area Connection\" source=static addr=none\r\n"
            "popd\r\n");
  const std::vector<TStart> expected{{"C:\\Windows\\system32\\netsh.exe", "-f \"" + script + "\""}};
  EXPECT_EQ(starter_.Starts, expected);
  EXPECT_TRUE(asker_.Requests.empty());
}

TEST_F(ProfileActionsTest, ApplyTwiceReplacesTheScript) {
  actions_.Apply(kEdited);
  const TNetInfo dhcp{"LAN", true, "", "", "", "", "", ""};
  actions_.Apply(dhcp);
  EXPECT_EQ(FileBytes(InFolder("Ardenix.TMP")), NetshScriptText(dhcp));
  ASSERT_EQ(starter_.Starts.size(), 2u);
  EXPECT_EQ(starter_.Starts[0], starter_.Starts[1]);
}

TEST_F(ProfileActionsTest, ApplyStartsNothingWhenTheScriptCannotBeWritten) {
  paths_.Executable = (folder_ / "missing" / "Ardenix.exe").string();
  try {
    actions_.Apply(kEdited);
    FAIL() << "no error";
  } catch (const TFileError& error) {
    EXPECT_EQ(std::string(error.what()).rfind("Cannot create file \"", 0), 0u) << error.what();
  }
  EXPECT_TRUE(starter_.Starts.empty());
}

// Without the system directory there is no netsh that can be trusted: "\netsh.exe" would be
// whatever lies at the root of the current drive, started with administrator rights.
TEST_F(ProfileActionsTest, ApplyStartsNothingWhenTheSystemDirectoryIsUnknown) {
  paths_.SystemFolder.clear();
  const TStartResult result = actions_.Apply(kEdited);
  EXPECT_TRUE(fs::exists(InFolder("Ardenix.TMP")));
  EXPECT_TRUE(starter_.Starts.empty());
  EXPECT_FALSE(result.Started);
  EXPECT_EQ(result.ErrorText, kNoSystemDirectoryText);
}

// The caller follows the run (or reports the failure) with what Apply hands back.
TEST_F(ProfileActionsTest, ApplyHandsBackWhatTheStarterSays) {
  starter_.ExitCode = 5;
  TStartResult started = actions_.Apply(kEdited);
  ASSERT_TRUE(started.Started);
  ASSERT_TRUE(started.Program);
  EXPECT_EQ(started.Program->ExitCode(), 5u);

  starter_.Failure = TStartFailure{2, "The system cannot find the file specified."};
  const TStartResult failed = actions_.Apply(kEdited);
  EXPECT_FALSE(failed.Started);
  EXPECT_FALSE(failed.Program);
  EXPECT_EQ(failed.Error, 2u);
  EXPECT_EQ(failed.ErrorText, "The system cannot find the file specified.");
}

TEST_F(ProfileActionsTest, ExportWritesTheNormalisedBatchFileToTheChosenPath) {
  asker_.Answer = InFolder("chosen.bat");
  EXPECT_EQ(actions_.Export("Office.2005", kEdited), asker_.Answer);
  ASSERT_EQ(asker_.Requests.size(), 1u);
  const TSaveNameRequest& request = asker_.Requests[0];
  EXPECT_EQ(request.filterDescription, "Batch files (*.bat)");
  EXPECT_EQ(request.filterPattern, "*.bat");
  EXPECT_EQ(request.proposedName, "Office.bat");
  EXPECT_EQ(request.defaultExtension, "bat");
  EXPECT_TRUE(request.confirmReplace);
  EXPECT_EQ(FileBytes(*asker_.Answer), BatchFileText(NormalisedCopy(kEdited)));
  EXPECT_EQ(FileBytes(*asker_.Answer)->find("10 .0"), std::string::npos) << "padding blanks";
  EXPECT_TRUE(starter_.Starts.empty());
}

// The user confirmed replacing it in the dialog: the whole file is the batch file.
TEST_F(ProfileActionsTest, ExportReplacesAnExistingFile) {
  asker_.Answer = InFolder("Home.bat");
  files_.WriteNew(*asker_.Answer, std::string(4096, 'x'));
  const TNetInfo dhcp{"LAN", true, "", "", "", "", "", ""};
  actions_.Export("Home", dhcp);
  EXPECT_EQ(FileBytes(*asker_.Answer), BatchFileText(NormalisedCopy(dhcp)));
}

TEST_F(ProfileActionsTest, ExportCancelledWritesNothing) {
  EXPECT_EQ(actions_.Export("Home", kEdited), std::nullopt);
  EXPECT_EQ(asker_.Requests.size(), 1u);
  EXPECT_TRUE(fs::is_empty(folder_));
}

TEST_F(ProfileActionsTest, ExportFailureIsRaised) {
  asker_.Answer = (folder_ / "missing" / "Home.bat").string();
  EXPECT_THROW(actions_.Export("Home", kEdited), TFileError);
}

// A file that would stop half way through is not offered at all.
TEST_F(ProfileActionsTest, ExportRefusesAProfileNetshWouldRejectBeforeAsking) {
  asker_.Answer = InFolder("Home.bat");
  TNetInfo invalid = kEdited;
  invalid.WINS = "300.1  .1  .1  ";
  try {
    actions_.Export("Home", invalid);
    FAIL() << "not refused";
  } catch (const TProfileRefused& error) {
    EXPECT_STREQ(error.what(), "WINS \"300.1.1.1\" is not an address; nothing was saved");
  }
  EXPECT_TRUE(asker_.Requests.empty());
  EXPECT_TRUE(fs::is_empty(folder_));
}

struct ConsoleNameCase {
  const char* label;
  std::string lan;
  std::optional<std::string> lanInFile;  // none: refused
};

// The file is written in the console's code page, which cmd reads it in; a name that has
// no place there is refused before anything is asked or written.
TEST_F(ProfileActionsTest, ExportWritesTheFileInTheConsolesCodePage) {
  const ConsoleNameCase cases[] = {
      {"ASCII", "Ethernet 2", "Ethernet 2"},
      {"moved", "R\xE9seau", "R\x82seau"},
      {"no place", "R\xE9seau \xA4", std::nullopt},
  };
  for (const ConsoleNameCase& c : cases) {
    SCOPED_TRACE(c.label);
    fs::remove_all(folder_);
    fs::create_directories(folder_);
    asker_.Requests.clear();
    asker_.Answer = InFolder("Home.bat");
    const TNetInfo dhcp{c.lan, true, "", "", "", "", "", ""};
    if (!c.lanInFile) {
      try {
        actions_.Export("Home", dhcp);
        ADD_FAILURE() << "not refused";
      } catch (const TProfileRefused& error) {
        EXPECT_EQ(std::string(error.what()),
                  "The adapter's name \"" + c.lan +
                      "\" has a letter that cmd cannot read in a batch file on this computer; "
                      "nothing was saved");
      }
      EXPECT_TRUE(asker_.Requests.empty());
      EXPECT_TRUE(fs::is_empty(folder_));
      continue;
    }
    actions_.Export("Home", dhcp);
    TNetInfo inFile = dhcp;
    inFile.LAN = *c.lanInFile;
    EXPECT_EQ(FileBytes(*asker_.Answer), BatchFileText(NormalisedCopy(inFile)));
  }
}

// ---- the script held from its writing until netsh is let go of ----

// Writes nothing: a held script reads back as told, and the holds still kept are counted.
class THoldingFiles : public IFileSystem {
 public:
  void WriteNew(const std::string&, std::string_view) override {}
  std::unique_ptr<IHeldFile> WriteHeld(const std::string&, std::string_view bytes) override {
    if (InUse) throw TFileInUse("Cannot create file \"Ardenix.TMP\". in use");
    return std::make_unique<THeld>(ReadsBack ? *ReadsBack : std::string(bytes), Holds);
  }

  bool InUse = false;
  // What a hold reads back when it is not the bytes written (an inner none: unreadable).
  std::optional<std::optional<std::string>> ReadsBack;
  std::shared_ptr<int> Holds = std::make_shared<int>(0);

 private:
  class THeld : public IHeldFile {
   public:
    THeld(std::optional<std::string> bytes, std::shared_ptr<int> holds)
        : bytes_(std::move(bytes)), holds_(std::move(holds)) {
      ++*holds_;
    }
    ~THeld() override { --*holds_; }
    std::optional<std::string> ReadBack() override { return bytes_; }

   private:
    std::optional<std::string> bytes_;
    std::shared_ptr<int> holds_;
  };
};

class ProfileActionsHold : public testing::Test {
 protected:
  THoldingFiles files_;
  TFixedPaths paths_{};
  TRecordingStarter starter_;
  TAnsweringAsker asker_;
  TTableConsole console_;
  TProfileActions actions_{files_, paths_, starter_, asker_, console_};
};

TEST_F(ProfileActionsHold, TheScriptStaysHeldWhileTheStartedProgramIsKept) {
  starter_.ExitCode = 5;
  TStartResult started = actions_.Apply(kEdited);
  ASSERT_TRUE(started.Started);
  ASSERT_TRUE(started.Program);
  EXPECT_EQ(*files_.Holds, 1);
  EXPECT_EQ(started.Program->ExitCode(), 5u);
  started.Program.reset();
  EXPECT_EQ(*files_.Holds, 0);

  starter_.Failure = TStartFailure{1223, "The operation was canceled by the user."};
  const TStartResult failed = actions_.Apply(kEdited);
  EXPECT_FALSE(failed.Started);
  EXPECT_EQ(*files_.Holds, 0) << "nothing runs on it";
}

struct RefusedCase {
  const char* label;
  bool inUse;
  std::optional<std::optional<std::string>> readsBack;
  unsigned long error;
  friend void PrintTo(const RefusedCase& c, std::ostream* out) { *out << c.label; }
};

class ProfileActionsRefused : public ProfileActionsHold,
                              public testing::WithParamInterface<RefusedCase> {};

TEST_P(ProfileActionsRefused, StartsNothingAndKeepsNothing) {
  files_.InUse = GetParam().inUse;
  files_.ReadsBack = GetParam().readsBack;
  const TStartResult result = actions_.Apply(kEdited);
  EXPECT_FALSE(result.Started);
  EXPECT_EQ(result.Error, GetParam().error);
  EXPECT_TRUE(starter_.Starts.empty());
  EXPECT_EQ(*files_.Holds, 0);
}

std::string ScriptWithoutItsLastByte() {
  std::string script = NetshScriptText(NormalisedCopy(kEdited));
  script.pop_back();
  return script;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ProfileActionsRefused,
    testing::Values(
        RefusedCase{"OtherBytes", false, std::optional<std::string>("add helper x.dll\r\n"),
                    kStartErrorScriptChanged},
        RefusedCase{"Shortened", false, std::optional<std::string>(ScriptWithoutItsLastByte()),
                    kStartErrorScriptChanged},
        RefusedCase{"Unreadable", false, std::optional<std::string>(), kStartErrorScriptChanged},
        RefusedCase{"HeldByAnotherApply", true, std::nullopt, kStartErrorApplyRunning}),
    [](const testing::TestParamInfo<RefusedCase>& param) { return std::string(param.param.label); });

TEST(NetshInvocation, SystemNetshAndQuotedScript) {
  EXPECT_EQ(NetshProgramPath("C:\\Windows\\system32"), "C:\\Windows\\system32\\netsh.exe");
  EXPECT_EQ(NetshProgramPath("C:\\"), "C:\\netsh.exe");
  EXPECT_EQ(NetshParameters("C:\\Program Files\\Ardenix\\Ardenix.TMP"),
            "-f \"C:\\Program Files\\Ardenix\\Ardenix.TMP\"");
}

}  // namespace
