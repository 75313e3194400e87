// The Windows side of the profile logic's services, on real files and with the shell
// call and the dialog replaced where a test cannot drive them.
#include <windows.h>

#include <gtest/gtest.h>

#include <fstream>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "BatchFile.h"
#include "FileBytes.h"
#include "NetshScratchFolder.h"
#include "ProcessElevation.h"
#include "ProfileActions.h"
#include "ServiceDoubles.h"
#include "Win32ConsoleCodePage.h"
#include "Win32FileSystem.h"
#include "Win32KernelHandle.h"
#include "Win32ProgramStarter.h"
#include "Win32SaveNameAsker.h"

namespace {

void WriteRaw(const std::string& path, const std::string& bytes) {
  std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
}

// ---- files ----

class Win32FileSystemTest : public testing::Test {
 protected:
  TNetshScratchFolder folder_{"win32fs"};
  TWin32FileSystem files_;
};

TEST_F(Win32FileSystemTest, WritesBytesAsTheyAreAndReplacesALongerFile) {
  const std::string path = folder_ / "x.TMP";
  WriteRaw(path, std::string(10000, 'z'));
  const std::string bytes("a\r\nb\0\xE9\r\n", 8);
  files_.WriteNew(path, bytes);
  EXPECT_EQ(FileBytes(path), bytes);
}

// What stands in the way of creating the file.
enum class TObstacle { MissingFolder, ReadOnlyFile, HeldOpen };

struct CreateFailure {
  const char* label;
  TObstacle obstacle;
};

class Win32FileSystemCreateError : public Win32FileSystemTest,
                                   public testing::WithParamInterface<CreateFailure> {};

// Opens the file for reading only and without sharing, as another program might.
TKernelHandle HoldOpen(const std::string& path) {
  return TKernelHandle(CreateFileA(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                                   FILE_ATTRIBUTE_NORMAL, nullptr));
}

bool ReadOnlyIsEnforced(const std::string& path) {
  TKernelHandle probe(CreateFileA(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr,
                                  OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  return !probe;
}

TEST_P(Win32FileSystemCreateError, NamesTheFullPathAndTheSystemsCause) {
  const TObstacle obstacle = GetParam().obstacle;
  const std::string path =
      obstacle == TObstacle::MissingFolder ? folder_ / "missing\\x.TMP" : folder_ / "x.TMP";
  TKernelHandle holder;
  if (obstacle != TObstacle::MissingFolder) WriteRaw(path, "old");
  if (obstacle == TObstacle::ReadOnlyFile) {
    ASSERT_TRUE(SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_READONLY));
    // Wine run by root maps the attribute to file modes that root may ignore.
    if (!ReadOnlyIsEnforced(path)) GTEST_SKIP() << "this system lets the read-only file be written";
  }
  if (obstacle == TObstacle::HeldOpen) {
    holder = HoldOpen(path);
    ASSERT_TRUE(holder);
  }
  try {
    files_.WriteNew(path, "new");
    FAIL() << "no error";
  } catch (const TFileError& error) {
    const std::string text = error.what();
    const std::string prefix = "Cannot create file \"" + path + "\". ";
    ASSERT_EQ(text.substr(0, prefix.size()), prefix);
    const std::string cause = text.substr(prefix.size());
    ASSERT_FALSE(cause.empty());
    EXPECT_EQ(cause.find_last_not_of(" \t\r\n"), cause.size() - 1) << "[" << cause << "]";
    std::printf("%s: %s\n", GetParam().label, text.c_str());
  }
  holder = TKernelHandle();
  if (obstacle != TObstacle::MissingFolder) {
    EXPECT_EQ(FileBytes(path), "old");
  }
}

INSTANTIATE_TEST_SUITE_P(Cases, Win32FileSystemCreateError,
                         testing::Values(CreateFailure{"MissingFolder", TObstacle::MissingFolder},
                                         CreateFailure{"ReadOnlyFile", TObstacle::ReadOnlyFile},
                                         CreateFailure{"HeldOpen", TObstacle::HeldOpen}),
                         [](const testing::TestParamInfo<CreateFailure>& param) {
                           return std::string(param.param.label);
                         });

// ---- Apply and Export on real files ----

class ProfileActionsOnWin32Files : public testing::Test {
 protected:
  TNetshScratchFolder folder_{"actions"};
  TWin32FileSystem files_;
  TFixedPaths paths_;
  TRecordingStarter starter_;
  TAnsweringAsker asker_;
  TWin32ConsoleCodePage console_;
  TProfileActions actions_{files_, paths_, starter_, asker_, console_};
};

const TNetInfo kStored{"Local Area Connection", false,
                       "10 .0  .0  .5  ",       "   .   .   .   ",
                       "10 .0  .0  .1  ",       "10 .0  .0  .1  ",
                       "   .   .   .   ",       "   .   .   .   "};

TEST_F(ProfileActionsOnWin32Files, ApplyStartsNothingWhenTheScriptCannotBeCreated) {
  // The executable's folder is gone: no ".TMP" beside it can be made.
  paths_.Executable = folder_ / "gone\\Ardenix.exe";
  EXPECT_THROW(actions_.Apply(kStored), TFileError);
  EXPECT_TRUE(starter_.Starts.empty());
}

// The script of an earlier apply, still held open by another program (its netsh, or the
// apply that waits for it): that apply is running, and its script stays as it is.
TEST_F(ProfileActionsOnWin32Files, ApplyStartsNothingWhileAnotherHoldsTheScript) {
  paths_.Executable = folder_ / "Ardenix.exe";
  const std::string script = folder_ / "Ardenix.TMP";
  WriteRaw(script, "old");
  TKernelHandle holder = HoldOpen(script);
  ASSERT_TRUE(holder);
  const TStartResult result = actions_.Apply(kStored);
  EXPECT_FALSE(result.Started);
  EXPECT_EQ(result.Error, kStartErrorApplyRunning);
  EXPECT_EQ(result.ErrorText.rfind("Cannot create file \"" + script + "\". ", 0), 0u)
      << result.ErrorText;
  holder = TKernelHandle();
  EXPECT_EQ(FileBytes(script), "old");
  EXPECT_TRUE(starter_.Starts.empty());
}

TEST_F(ProfileActionsOnWin32Files, ExportWritesTheNormalisedBatchFile) {
  asker_.Answer = folder_ / "Office.bat";
  EXPECT_EQ(actions_.Export("Office", kStored), asker_.Answer);
  EXPECT_EQ(FileBytes(*asker_.Answer), BatchFileText(NormalisedCopy(kStored)));
  EXPECT_TRUE(starter_.Starts.empty());
}

// ---- starting netsh ----

struct TShellCall {
  HWND owner;
  std::string verb;  // "(default)" for nullptr
  std::string file;
  std::string parameters;
  bool directoryGiven;
  int showCommand;
  ULONG mask;
};

struct ElevationCase {
  bool elevated;
  const char* verb;
};

class ProgramStarterVerb : public testing::TestWithParam<ElevationCase> {};

TEST_P(ProgramStarterVerb, AsksForConsentOnlyWithoutElevation) {
  const HWND owner = reinterpret_cast<HWND>(static_cast<INT_PTR>(0x1234));
  const bool elevated = GetParam().elevated;
  std::vector<TShellCall> calls;
  TWin32ProgramStarter starter([owner] { return owner; }, [elevated] { return elevated; },
                               [&calls](SHELLEXECUTEINFOA& info) {
                                 calls.push_back({info.hwnd, info.lpVerb ? info.lpVerb : "(default)",
                                                  info.lpFile, info.lpParameters,
                                                  info.lpDirectory != nullptr, info.nShow,
                                                  info.fMask});
                                 return TRUE;
                               });
  const TStartResult result =
      starter.Start("C:\\windows\\system32\\netsh.exe", "-f \"C:\\a b\\c.TMP\"");
  ASSERT_EQ(calls.size(), 1u);
  EXPECT_EQ(calls[0].owner, owner);
  EXPECT_EQ(calls[0].verb, GetParam().verb);
  EXPECT_EQ(calls[0].file, "C:\\windows\\system32\\netsh.exe");
  EXPECT_EQ(calls[0].parameters, "-f \"C:\\a b\\c.TMP\"");
  EXPECT_FALSE(calls[0].directoryGiven);
  EXPECT_EQ(calls[0].showCommand, SW_SHOWMINIMIZED);
  // The process handle is kept, and the shell shows no error box of its own.
  EXPECT_EQ(calls[0].mask, static_cast<ULONG>(SEE_MASK_NOCLOSEPROCESS | SEE_MASK_FLAG_NO_UI));
  // Started, but the shell handed out no process to follow.
  EXPECT_TRUE(result.Started);
  EXPECT_FALSE(result.Program);
}

INSTANTIATE_TEST_SUITE_P(Cases, ProgramStarterVerb,
                         testing::Values(ElevationCase{true, "(default)"},
                                         ElevationCase{false, "runas"}));

// Real starts through the shell: the netsh stand-in (run directly, not in the system's
// place) exits with the code it is told after the delay it is told.
class ProgramStarterRun : public testing::Test {
 protected:
  void SetUp() override {
    SetEnvironmentVariableA("ARDENIX_NETSH_RECORD", (folder_ / "netsh.record").c_str());
  }
  void TearDown() override {
    SetEnvironmentVariableA("ARDENIX_NETSH_DELAY_MS", nullptr);
    SetEnvironmentVariableA("ARDENIX_NETSH_EXIT_CODE", nullptr);
  }

  static std::string StandIn() {
    char path[MAX_PATH * 4] = {};
    GetModuleFileNameA(nullptr, path, sizeof(path));
    std::string folder(path);
    return folder.substr(0, folder.find_last_of('\\')) + "\\netsh_standin.exe";
  }

  // Asks as a timer would, every 20 ms, for up to a minute.
  static std::optional<unsigned long> AwaitEnd(IStartedProgram& program) {
    for (int i = 0; i < 3000; ++i) {
      if (auto code = program.ExitCode()) return code;
      Sleep(20);
    }
    return std::nullopt;
  }

  TNetshScratchFolder folder_{"starter"};
  // Not elevated under either answer of the token: "runas" must run it too.
  TWin32ProgramStarter starter_{[] { return HWND{}; }, [] { return false; }};
};

TEST_F(ProgramStarterRun, TheExitCodeComesBackOnceTheProgramHasEnded) {
  SetEnvironmentVariableA("ARDENIX_NETSH_DELAY_MS", "500");
  SetEnvironmentVariableA("ARDENIX_NETSH_EXIT_CODE", "7");
  TStartResult result = starter_.Start(StandIn(), "-f \"" + (folder_ / "none.TMP") + "\"");
  ASSERT_TRUE(result.Started) << result.Error << " " << result.ErrorText;
  ASSERT_TRUE(result.Program);
  EXPECT_EQ(result.Program->ExitCode(), std::nullopt) << "still running for 500 ms";
  EXPECT_EQ(AwaitEnd(*result.Program), 7u);
  EXPECT_EQ(result.Program->ExitCode(), 7u) << "asked again";
}

TEST_F(ProgramStarterRun, AMissingProgramFailsAtOnceWithTheSystemsMessage) {
  for (const std::string& program :
       {folder_ / "absent.exe", folder_ / "no folder\\absent.exe"}) {
    const DWORD before = GetTickCount();
    const TStartResult result = starter_.Start(program, "-f x");
    EXPECT_FALSE(result.Started) << program;
    EXPECT_FALSE(result.Program);
    EXPECT_TRUE(result.Error == ERROR_FILE_NOT_FOUND || result.Error == ERROR_PATH_NOT_FOUND)
        << result.Error;
    EXPECT_EQ(result.ErrorText, SystemErrorText(result.Error));
    EXPECT_EQ(result.ErrorText.find("System error"), std::string::npos) << result.ErrorText;
    // Not a timing requirement: a shell box would hold the call until someone closes it.
    std::printf("%s: %lu \"%s\" after %lu ms\n", program.c_str(), result.Error,
                result.ErrorText.c_str(), GetTickCount() - before);
  }
}

// Windows gives either answer, depending on how the test is run: the answer must agree
// with what the token says by other means. A full token is elevated and a limited one is
// not; a token without a split (no UAC, or Wine) is elevated when it holds the
// Administrators group.
TEST(ProcessElevation, AgreesWithTheTokensTypeAndGroups) {
  HANDLE raw = nullptr;
  ASSERT_TRUE(OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, &raw));
  TKernelHandle token(raw);
  TOKEN_ELEVATION_TYPE type{};
  DWORD size = 0;
  ASSERT_TRUE(GetTokenInformation(token.Get(), TokenElevationType, &type, sizeof type, &size));
  bool expected = type == TokenElevationTypeFull;
  if (type == TokenElevationTypeDefault) {
    SID_IDENTIFIER_AUTHORITY nt = SECURITY_NT_AUTHORITY;
    PSID administrators = nullptr;
    ASSERT_TRUE(AllocateAndInitializeSid(&nt, 2, SECURITY_BUILTIN_DOMAIN_RID,
                                         DOMAIN_ALIAS_RID_ADMINS, 0, 0, 0, 0, 0, 0,
                                         &administrators));
    BOOL member = FALSE;
    const BOOL checked = CheckTokenMembership(nullptr, administrators, &member);
    FreeSid(administrators);
    ASSERT_TRUE(checked);
    expected = member != FALSE;
  }
  std::printf("elevation type %d: ProcessIsElevated() = %s\n", static_cast<int>(type),
              ProcessIsElevated() ? "true" : "false");
  EXPECT_EQ(ProcessIsElevated(), expected);
}

// ---- the save dialog's filter ----

TEST(SaveDialogFilter, OneEntryWithAnEmptyPattern) {
  EXPECT_EQ(SaveDialogFilter("*.BAT", ""), std::string("*.BAT\0\0\0", 8));
  EXPECT_EQ(SaveDialogFilter("Scripts", "*.BAT"), std::string("Scripts\0*.BAT\0\0", 15));
}

}  // namespace
