// The apply's script under the real file system and a real netsh stand-in that waits for
// the test: while netsh is pending, no one can write, rename or delete the script; a
// script changed before the hold is never run; a second apply, also one of another
// program, cannot write over the script of one that is pending.
#include <windows.h>

#include <gtest/gtest.h>

#include <fstream>
#include <functional>
#include <iterator>
#include <optional>
#include <string>

#include "ApplyRun.h"
#include "HostAdapter.h"
#include "NetshScratchFolder.h"
#include "NetshScript.h"
#include "ProfileActions.h"
#include "ProgramUnderTest.h"
#include "ServiceDoubles.h"
#include "SystemNetshReplaced.h"
#include "WaitingNetsh.h"
#include "Win32ConsoleCodePage.h"
#include "Win32FileSystem.h"
#include "Win32KernelHandle.h"
#include "Win32ProgramStarter.h"

namespace {

std::optional<std::string> ReadFileBytes(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  if (!file) return std::nullopt;
  return std::string{std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

void WriteRaw(const std::string& path, const std::string& bytes) {
  std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
}

const TNetInfo kOffice{"Local Area Connection", false, "10.0.0.5", "255.255.255.0",
                       "10.0.0.1",              "10.0.0.1", "",      ""};
const TNetInfo kHome{"Local Area Connection", true, "", "", "", "", "", ""};

// Apply as the program does, with the scratch folder as both the executable's and the
// system's: its netsh.exe is the stand-in, which waits for the test's word before it reads the
// script and leaves its record.
class ScriptHold : public testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(CopyFileA((OwnFolder() + "\\netsh_standin.exe").c_str(),
                          (folder_ / "netsh.exe").c_str(), FALSE));
    paths_.Executable = folder_ / "Ardenix.exe";
    paths_.SystemFolder = folder_.Path();
    go_.emplace("ardenix-script-hold-" + std::to_string(GetCurrentProcessId()), record_);
    ASSERT_TRUE(go_->Ready());
  }
  void TearDown() override { go_.reset(); }

  // Lets netsh go on and waits for its end; the script bytes it read.
  std::optional<std::string> LetNetshRun(IStartedProgram& netsh) {
    go_->LetGo();
    for (int i = 0; i < 3000 && !netsh.ExitCode(); ++i) Sleep(20);
    EXPECT_EQ(netsh.ExitCode(), 0u);
    std::optional<std::string> record = ReadFileBytes(record_);
    if (!record) return std::nullopt;
    const std::size_t scriptLine = record->find("script: ");
    if (scriptLine == std::string::npos) return std::nullopt;
    return record->substr(record->find('\n', scriptLine) + 1);
  }

  std::string Script() const { return folder_ / "Ardenix.TMP"; }

  TNetshScratchFolder folder_{"script-hold"};
  const std::string record_ = folder_ / "netsh.record";
  std::optional<TWaitingNetsh> go_;
  TFixedPaths paths_;
  TRecordingStarter unusedStarter_;
  TAnsweringAsker asker_;
  TWin32ProgramStarter starter_{[] { return HWND{}; }, [] { return true; }};
  // Apply through the real file system and starter.
  TWin32FileSystem files_;
  TWin32ConsoleCodePage console_;
  TProfileActions actions_{files_, paths_, starter_, asker_, console_};
  const std::string kOfficeScript = NetshScriptText(NormalisedCopy(kOffice));
};

struct TTamperAttempt {
  const char* label;
  std::function<bool(const std::string& script, const std::string& folder)> attempt;
};

TEST_F(ScriptHold, WhileNetshIsPendingNoOneCanWriteRenameOrDeleteTheScript) {
  TStartResult netsh = actions_.Apply(kOffice);
  ASSERT_TRUE(netsh.Started) << netsh.Error << " " << netsh.ErrorText;
  ASSERT_TRUE(netsh.Program);
  const std::string written = kOfficeScript;

  const TTamperAttempt attempts[] = {
      {"write", [](const std::string& script, const std::string&) {
         TKernelHandle file(CreateFileA(script.c_str(), GENERIC_WRITE,
                                        FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                        nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
         DWORD count = 0;
         return file && WriteFile(file.Get(), "add helper x.dll\r\n", 18, &count, nullptr);
       }},
      {"truncate", [](const std::string& script, const std::string&) {
         return TKernelHandle(CreateFileA(script.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr,
                                          CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr))
             .operator bool();
       }},
      {"rename", [](const std::string& script, const std::string& folder) {
         return MoveFileExA(script.c_str(), (folder + "\\moved.TMP").c_str(), 0) != FALSE;
       }},
      {"replace", [](const std::string& script, const std::string& folder) {
         const std::string other = folder + "\\other.TMP";
         WriteRaw(other, "add helper x.dll\r\n");
         return MoveFileExA(other.c_str(), script.c_str(), MOVEFILE_REPLACE_EXISTING) != FALSE;
       }},
      {"delete", [](const std::string& script, const std::string&) {
         return DeleteFileA(script.c_str()) != FALSE;
       }},
  };
  for (const TTamperAttempt& tamper : attempts)
    EXPECT_FALSE(tamper.attempt(Script(), folder_.Path())) << tamper.label << " succeeded";
  EXPECT_EQ(netsh.Program->ExitCode(), std::nullopt) << "the attempts came while netsh waited";
  EXPECT_EQ(ReadFileBytes(Script()), written) << "others may still read it";

  EXPECT_EQ(LetNetshRun(*netsh.Program), written);
  netsh.Program.reset();
  EXPECT_TRUE(DeleteFileA(Script().c_str())) << "let go of with the program";
}

// Runs a command line to its end; its exit code, or -1 when it could not be started or did
// not end within a minute.
long RunToEnd(std::string commandLine, const std::string& folder) {
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process{};
  if (!CreateProcessA(nullptr, commandLine.data(), nullptr, nullptr, FALSE, CREATE_NO_WINDOW,
                      nullptr, folder.c_str(), &startup, &process))
    return -1;
  TKernelHandle thread(process.hThread);
  TKernelHandle handle(process.hProcess);
  if (WaitForSingleObject(handle.Get(), 60000) != WAIT_OBJECT_0) return -1;
  DWORD code = 0;
  GetExitCodeProcess(handle.Get(), &code);
  return static_cast<long>(code);
}

TEST_F(ScriptHold, AnotherProcessCannotWriteRenameOrDeleteThePendingScript) {
  TStartResult netsh = actions_.Apply(kOffice);
  ASSERT_TRUE(netsh.Started) << netsh.Error << " " << netsh.ErrorText;
  ASSERT_TRUE(netsh.Program);
  const std::string written = kOfficeScript;

  const char* commands[] = {"cmd.exe /c echo add helper x.dll> Ardenix.TMP",
                            "cmd.exe /c ren Ardenix.TMP moved.TMP",
                            "cmd.exe /c del Ardenix.TMP"};
  for (const char* command : commands) {
    EXPECT_NE(RunToEnd(command, folder_.Path()), -1) << command;
    EXPECT_EQ(ReadFileBytes(Script()), written) << command;
  }
  EXPECT_EQ(netsh.Program->ExitCode(), std::nullopt) << "the attempts came while netsh waited";
  EXPECT_EQ(LetNetshRun(*netsh.Program), written);
}

struct TChangeCase {
  const char* label;
  std::function<void(const std::string& script)> change;
};

class ScriptChangedBeforeTheHold : public ScriptHold,
                                   public testing::WithParamInterface<TChangeCase> {};

TEST_P(ScriptChangedBeforeTheHold, IsReportedAndNetshNeverRuns) {
  TWin32FileSystem files(GetParam().change);
  TProfileActions actions(files, paths_, unusedStarter_, asker_, console_);
  const TStartResult result = actions.Apply(kOffice);
  EXPECT_FALSE(result.Started);
  EXPECT_EQ(result.Error, kStartErrorScriptChanged);
  EXPECT_TRUE(unusedStarter_.Starts.empty());
}

INSTANTIATE_TEST_SUITE_P(
    Changes, ScriptChangedBeforeTheHold,
    testing::Values(
        TChangeCase{"Rewritten",
                    [](const std::string& script) { WriteRaw(script, "add helper x.dll\r\n"); }},
        TChangeCase{"LineAdded",
                    [](const std::string& script) {
                      std::ofstream(script, std::ios::binary | std::ios::app)
                          << "add helper x.dll\r\n";
                    }},
        TChangeCase{"Deleted", [](const std::string& script) { DeleteFileA(script.c_str()); }}),
    [](const testing::TestParamInfo<TChangeCase>& param) { return std::string(param.param.label); });

TEST_F(ScriptHold, ASecondApplyWhileOneIsPendingLeavesItsScriptAlone) {
  TStartResult first = actions_.Apply(kOffice);
  ASSERT_TRUE(first.Started) << first.Error << " " << first.ErrorText;
  ASSERT_TRUE(first.Program);

  const TStartResult second = actions_.Apply(kHome);
  EXPECT_FALSE(second.Started);
  EXPECT_EQ(second.Error, kStartErrorApplyRunning);
  EXPECT_EQ(ReadFileBytes(Script()), kOfficeScript);
  EXPECT_EQ(LetNetshRun(*first.Program), kOfficeScript);

  // Once the first is let go of, the next apply writes and runs its own script.
  first.Program.reset();
  DeleteFileA(record_.c_str());
  TStartResult third = actions_.Apply(kHome);
  ASSERT_TRUE(third.Started) << third.Error << " " << third.ErrorText;
  ASSERT_TRUE(third.Program);
  EXPECT_EQ(LetNetshRun(*third.Program), NetshScriptText(NormalisedCopy(kHome)));
}

// Two programs that apply at once, each from its command line: the later one, started while
// the first one's netsh waits, is refused and leaves the script alone.
class TwoCommandLineApplies : public SystemNetshReplaced {
 protected:
  void SetUp() override {
    SystemNetshReplaced::SetUp();
    ASSERT_TRUE(CopyFileA(ProgramPath().c_str(), program_.c_str(), FALSE));
    // On the host's adapter: an apply to an adapter that is not there is refused before
    // anything is written.
    const std::string lan = HostAdapter().FriendlyName;
    WriteRaw(folder_ / "Ardenix.INI", "[Office]\r\nLAN=" + lan +
                                          "\r\nDHCP=0\r\nIP=10.0.0.5\r\nSN=255.255.255.0\r\n" +
                                          "[Home]\r\nLAN=" + lan + "\r\nDHCP=1\r\n");
    go_.emplace(event_, record_);
    ASSERT_TRUE(go_->Ready());
  }
  void TearDown() override {
    go_.reset();
    SystemNetshReplaced::TearDown();
  }

  std::string Apply(const char* caption) const {
    return "\"" + program_ + "\" /apply " + caption;
  }

  // True once the script is there and no one may write it: the first apply holds it.
  bool AwaitHeldScript() const {
    for (int i = 0; i < 3000; ++i) {
      if (GetFileAttributesA(script_.c_str()) != INVALID_FILE_ATTRIBUTES) {
        TKernelHandle probe(CreateFileA(script_.c_str(), GENERIC_WRITE,
                                        FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                        nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
        if (!probe && GetLastError() == ERROR_SHARING_VIOLATION) return true;
      }
      Sleep(20);
    }
    return false;
  }

  TNetshScratchFolder folder_{"two-applies"};
  const std::string program_ = folder_ / "Ardenix.exe";
  const std::string script_ = folder_ / "Ardenix.TMP";
  const std::string record_ = folder_ / "netsh.record";
  const std::string event_ = "ardenix-two-applies-" + std::to_string(GetCurrentProcessId());
  std::optional<TWaitingNetsh> go_;
};

TEST_F(TwoCommandLineApplies, TheLaterIsRefusedAndTheFirstsScriptRuns) {
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process{};
  std::string first = Apply("Office");
  ASSERT_TRUE(CreateProcessA(nullptr, first.data(), nullptr, nullptr, FALSE, 0, nullptr,
                             folder_.Path().c_str(), &startup, &process));
  TKernelHandle firstThread(process.hThread);
  TKernelHandle firstProcess(process.hProcess);
  ASSERT_TRUE(AwaitHeldScript()) << "the first apply never held its script";
  const std::optional<std::string> kOfficeScript = ReadFileBytes(script_);

  EXPECT_EQ(RunToEnd(Apply("Home"), folder_.Path()), kApplyBusy);
  EXPECT_EQ(ReadFileBytes(script_), kOfficeScript);

  go_->LetGo();
  ASSERT_EQ(WaitForSingleObject(firstProcess.Get(), 60000), WAIT_OBJECT_0);
  std::optional<std::string> record = ReadFileBytes(record_);
  ASSERT_TRUE(record) << "the first apply's netsh did not run";
  ASSERT_TRUE(kOfficeScript);
  EXPECT_NE(kOfficeScript->find("10.0.0.5"), std::string::npos) << *kOfficeScript;
  EXPECT_EQ(record->substr(record->size() - kOfficeScript->size()), *kOfficeScript);
}

}  // namespace
