// Apply end to end under Wine: the apply probe, copied into a folder of its own, writes
// its script beside itself and starts netsh through the real shell. The system's netsh is
// replaced by a stand-in that records how it was started and what the script held; a
// decoy netsh.exe waits beside the probe, in the folder it runs in, and must stay unused.
#include <windows.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <sstream>
#include <string>

#include "ApplyProbeProfile.h"
#include "NetshScratchFolder.h"
#include "NetshScript.h"
#include "SystemNetshReplaced.h"

namespace {

std::optional<std::string> ReadFileBytes(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  if (!file) return std::nullopt;
  return std::string{std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

bool SameText(const std::string& a, const std::string& b) {
  return lstrcmpiA(a.c_str(), b.c_str()) == 0;
}

// The apply probe run in a folder of its own against the stand-in.
class NetshProbeTest : public SystemNetshReplaced {
 protected:
  // Copies the probe as "lanpick.exe" and a decoy netsh into the folder, runs the probe
  // there and returns its exit code.
  DWORD RunProbe(const std::string& folder, const std::string& argument, std::string& exe) {
    std::filesystem::create_directories(folder);
    exe = folder + "\\lanpick.exe";
    EXPECT_TRUE(CopyFileA(probe_.c_str(), exe.c_str(), FALSE));
    EXPECT_TRUE(CopyFileA(standIn_.c_str(), (folder + "\\netsh.exe").c_str(), FALSE));
    SetEnvironmentVariableA("ARDENIX_NETSH_RECORD", record_.c_str());

    std::string commandLine = "\"" + exe + "\" " + argument;
    STARTUPINFOA startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION process{};
    if (!CreateProcessA(exe.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        folder.c_str(), &startup, &process)) {
      ADD_FAILURE() << "probe not started: " << GetLastError();
      return 99;
    }
    WaitForSingleObject(process.hProcess, 60000);
    DWORD exitCode = 99;
    GetExitCodeProcess(process.hProcess, &exitCode);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return exitCode;
  }

  // netsh runs on its own; give it a generous while to leave its record.
  std::optional<std::string> AwaitRecord() const {
    for (int i = 0; i < 1200; ++i) {
      if (auto record = ReadFileBytes(record_)) return record;
      Sleep(50);
    }
    return std::nullopt;
  }

  const std::string probe_ = OwnFolder() + "\\apply_probe.exe";
  TNetshScratchFolder scratch_{"netsh-e2e"};
  const std::string record_ = scratch_ / "netsh.record";
};

struct ApplyCase {
  const char* label;
  const char* folder;    // the probe's folder, inside the scratch folder
  const char* argument;  // the probe's elevation: "" asks the token
};

class ApplyEndToEnd : public NetshProbeTest, public testing::WithParamInterface<ApplyCase> {};

TEST_P(ApplyEndToEnd, SystemNetshRunsOnTheScriptBesideTheProgram) {
  std::string exe;
  ASSERT_EQ(RunProbe(scratch_ / GetParam().folder, GetParam().argument, exe), 0u);

  const std::string script = exe.substr(0, exe.size() - 4) + ".TMP";
  const std::string expected = NetshScriptText(NormalisedCopy(ApplyProbeProfile()));
  EXPECT_EQ(ReadFileBytes(script), expected);

  std::optional<std::string> record = AwaitRecord();
  ASSERT_TRUE(record) << "netsh was not started (or not the stand-in)";
  std::istringstream lines(*record);
  std::string module, commandLine, arguments, scriptLine;
  std::getline(lines, module);
  std::getline(lines, commandLine);
  std::getline(lines, arguments);
  std::getline(lines, scriptLine);
  const std::string bytes{std::istreambuf_iterator<char>(lines), std::istreambuf_iterator<char>()};

  EXPECT_TRUE(SameText(module, SystemNetsh())) << "started: " << module;
  EXPECT_NE(commandLine.find(" -f \"" + script + "\""), std::string::npos) << commandLine;
  EXPECT_EQ(arguments, "[-f][" + script + "]");
  EXPECT_EQ(scriptLine, "script: " + std::to_string(expected.size()));
  EXPECT_EQ(bytes, expected);
  std::printf("%s: %s\n", GetParam().label, commandLine.c_str());
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ApplyEndToEnd,
    testing::Values(ApplyCase{"PlainFolder", "Tools", ""},
                    ApplyCase{"FolderWithSpaces", "Program Files x\\Ardenix Test", ""},
                    ApplyCase{"ElevatedDefaultVerb", "Tools", "elevated"},
                    ApplyCase{"NotElevatedRunas", "Folder With Spaces", "not-elevated"}),
    [](const testing::TestParamInfo<ApplyCase>& param) { return std::string(param.param.label); });

}  // namespace
