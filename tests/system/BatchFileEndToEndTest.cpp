// The exported batch file run by the system's cmd under Wine. The system's netsh is the
// stand-in, which adds each start's arguments to a calls file; a decoy netsh.exe waits in
// the folder the file runs in and must stay unused.
#include <windows.h>

#include <gtest/gtest.h>

#include <fstream>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "BatchFile.h"
#include "NetshScratchFolder.h"
#include "SystemNetshReplaced.h"
#include "Win32ConsoleCodePage.h"

namespace {

using Lines = std::vector<std::string>;

std::string SystemProgram(const char* name) {
  char directory[MAX_PATH] = {};
  GetSystemDirectoryA(directory, sizeof(directory));
  return std::string(directory) + "\\" + name;
}

Lines ReadLines(const std::string& path) {
  Lines lines;
  std::ifstream file(path, std::ios::binary);
  for (std::string line; std::getline(file, line);) lines.push_back(line);
  return lines;
}

// A name with what cmd would otherwise expand ("%") or act on ("&", "|", "^", ">").
const TNetInfo kProfile{"50% R&D |^> %PATH%", false, "10 .1  .2  .3  ", "255.255.0  .0  ",
                        "10 .1  .0  .1  ",    "10 .1  .0  .2  ", "10 .1  .0  .3  ",
                        "   .   .   .   "};

// What netsh is given, line by line, as the C runtime splits it: plain addresses, the
// name whole and as typed.
const Lines kCalls{
    "[interface][ip][set][address][name=50% R&D |^> %PATH%][source=static][addr=10.1.2.3]"
    "[mask=255.255.0.0]",
    "[interface][ip][set][address][name=50% R&D |^> %PATH%][gateway=10.1.0.1][gwmetric=0]",
    "[interface][ip][set][dns][name=50% R&D |^> %PATH%][source=static][addr=10.1.0.2]",
    "[interface][ip][add][dns][name][=][50% R&D |^> %PATH%][addr][=][10.1.0.3]",
    "[interface][ip][set][wins][name=50% R&D |^> %PATH%][source=static][addr=none]",
};

class BatchFileRun : public SystemNetshReplaced {
 protected:
  void SetUp() override {
    SystemNetshReplaced::SetUp();
    const std::string bytes = BatchFileText(NormalisedCopy(kProfile));
    std::ofstream(batch_, std::ios::binary) << bytes;
    ASSERT_TRUE(CopyFileA(standIn_.c_str(), (scratch_ / "netsh.exe").c_str(), FALSE));
    SetEnvironmentVariableA("ARDENIX_NETSH_RECORD", (scratch_ / "netsh.record").c_str());
    SetEnvironmentVariableA("ARDENIX_NETSH_CALLS", calls_.c_str());
  }
  void TearDown() override {
    for (const char* name : {"ARDENIX_NETSH_RECORD", "ARDENIX_NETSH_CALLS",
                             "ARDENIX_NETSH_FAIL_AT", "ARDENIX_NETSH_EXIT_CODE"})
      SetEnvironmentVariableA(name, nullptr);
    SystemNetshReplaced::TearDown();
  }

  // cmd /c on the file, in the file's folder, as a double click runs it, its output going
  // to output_; its exit code.
  std::optional<DWORD> RunBatch() {
    std::string commandLine = "cmd.exe /d /c \"\"" + batch_ + "\"\"";
    SECURITY_ATTRIBUTES inherited{sizeof(inherited), nullptr, TRUE};
    const HANDLE output = CreateFileA(output_.c_str(), GENERIC_WRITE, FILE_SHARE_READ, &inherited,
                                      CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    STARTUPINFOA startup{};
    startup.cb = sizeof(startup);
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdOutput = output;
    startup.hStdError = output;
    PROCESS_INFORMATION process{};
    const BOOL started =
        CreateProcessA(SystemProgram("cmd.exe").c_str(), commandLine.data(), nullptr, nullptr,
                       TRUE, 0, nullptr, scratch_.Path().c_str(), &startup, &process);
    CloseHandle(output);
    if (!started) {
      ADD_FAILURE() << "cmd not started: " << GetLastError();
      return std::nullopt;
    }
    const bool ended = WaitForSingleObject(process.hProcess, 120000) == WAIT_OBJECT_0;
    DWORD exitCode = 0;
    GetExitCodeProcess(process.hProcess, &exitCode);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    if (!ended) return std::nullopt;
    return exitCode;
  }

  TNetshScratchFolder scratch_{"batch e2e"};
  const std::string batch_ = scratch_ / "Office Site.bat";
  const std::string calls_ = scratch_ / "netsh.calls";
  const std::string output_ = scratch_ / "cmd.out";
};

struct StopCase {
  const char* label;
  const char* failAt;  // the netsh start that fails, counted from 1; nullptr: none
  const char* exitCode;
  DWORD expectedExit;
  std::size_t starts;  // how many of kCalls netsh receives
  friend void PrintTo(const StopCase& c, std::ostream* out) { *out << c.label; }
};

class BatchFileStops : public BatchFileRun, public testing::WithParamInterface<StopCase> {};

TEST_P(BatchFileStops, AtTheFirstFailedCommandWithItsExitCode) {
  if (GetParam().failAt) {
    SetEnvironmentVariableA("ARDENIX_NETSH_FAIL_AT", GetParam().failAt);
    SetEnvironmentVariableA("ARDENIX_NETSH_EXIT_CODE", GetParam().exitCode);
  }
  EXPECT_EQ(RunBatch(), GetParam().expectedExit);
  EXPECT_EQ(ReadLines(calls_), Lines(kCalls.begin(), kCalls.begin() + GetParam().starts));
  EXPECT_EQ(ReadLines(output_), Lines{}) << "the file shows only what netsh prints";
  // The system's netsh ran, not the one in the folder the file runs in.
  const Lines record = ReadLines(scratch_ / "netsh.record");
  ASSERT_FALSE(record.empty());
  EXPECT_EQ(lstrcmpiA(record[0].c_str(), SystemNetsh().c_str()), 0) << record[0];
}

INSTANTIATE_TEST_SUITE_P(
    Cases, BatchFileStops,
    testing::Values(StopCase{"AllSucceed", nullptr, nullptr, 0, 5},
                    StopCase{"FirstFails", "1", "1", 1, 1},
                    StopCase{"SecondFails", "2", "7", 7, 2},
                    StopCase{"LastFails", "5", "87", 87, 5},
                    // netsh's codes may be errors with the top bit set: still a failure.
                    StopCase{"NegativeCode", "3", "2147942487", 2147942487u, 3}),
    [](const testing::TestParamInfo<StopCase>& param) { return std::string(param.param.label); });

// Wine has no fltmc, so net session decides there: put a net that fails in its place (the
// stand-in, failing at its first start) and the file runs no netsh at all.
TEST_F(BatchFileRun, NotRunAsAdministratorSaysSoAndChangesNothing) {
  const std::string net = SystemProgram("net.exe");
  const std::string original = net + ".ardenix-original";
  if (GetFileAttributesA(original.c_str()) == INVALID_FILE_ATTRIBUTES) {
    ASSERT_TRUE(CopyFileA(net.c_str(), original.c_str(), TRUE));
  }
  ASSERT_TRUE(CopyFileA(standIn_.c_str(), net.c_str(), FALSE));
  SetEnvironmentVariableA("ARDENIX_NETSH_FAIL_AT", "1");
  SetEnvironmentVariableA("ARDENIX_NETSH_EXIT_CODE", "2");

  const std::optional<DWORD> exitCode = RunBatch();

  CopyFileA(original.c_str(), net.c_str(), FALSE);
  DeleteFileA(original.c_str());
  EXPECT_EQ(exitCode, static_cast<DWORD>(kBatchNotAdministratorExitCode));
  EXPECT_EQ(ReadLines(calls_), Lines{"[session]"});
  EXPECT_EQ(ReadLines(output_), Lines{std::string(kBatchNotAdministratorText) + "\r"});
}

// The names below are written in the Western European ANSI code page.
bool WesternCodePages() { return GetACP() == 1252; }

// cmd reads a batch file in the console's code page: an adapter name with a letter outside
// ASCII reaches netsh as the program holds it, since the file is written in that code page
// (written as the program holds its text, "réseau" arrived as "rTseau").
TEST_F(BatchFileRun, ANameWithALetterOutsideAsciiReachesNetshWhole) {
  if (!WesternCodePages()) GTEST_SKIP() << "ANSI code page " << GetACP();
  const std::string name = "Connexion au r\xE9seau local";
  const TNetInfo profile{name, true, "", "", "", "", "", ""};
  const std::optional<std::string> bytes =
      TWin32ConsoleCodePage().FromAnsi(BatchFileText(NormalisedCopy(profile)));
  ASSERT_TRUE(bytes);
  std::ofstream(batch_, std::ios::binary | std::ios::trunc) << *bytes;
  EXPECT_EQ(RunBatch(), 0u);
  const Lines calls = ReadLines(calls_);
  ASSERT_FALSE(calls.empty());
  for (const std::string& call : calls)
    EXPECT_NE(call.find("[name=" + name + "]"), std::string::npos) << call;
}

struct ConsoleCase {
  const char* label;
  const char* ansi;
  bool held;  // the console's code page has a place for every character
};

// Letters of Western names have a place in the console's code page; the euro sign of the
// ANSI code page has none in the console's (437 or 850), and no best fit is taken.
TEST(ConsoleCodePage, HoldsWhatItCanAndRefusesTheRest) {
  if (!WesternCodePages()) GTEST_SKIP() << "ANSI code page " << GetACP();
  const ConsoleCase cases[] = {
      {"ASCII", "Ethernet 2", true},
      {"accented", "R\xE9seau \xFC\xF1", true},
      {"euro sign", "LAN \x80", false},
      {"nothing", "", true},
  };
  TWin32ConsoleCodePage console;
  for (const ConsoleCase& c : cases) {
    SCOPED_TRACE(c.label);
    const std::optional<std::string> converted = console.FromAnsi(c.ansi);
    EXPECT_EQ(converted.has_value(), c.held);
    if (converted) {
      EXPECT_EQ(converted->size(), std::string(c.ansi).size());
    }
  }
}

}  // namespace
