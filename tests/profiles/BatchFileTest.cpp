#include "BatchFile.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstddef>
#include <ostream>
#include <string>
#include <vector>

namespace {

using Lines = std::vector<std::string>;

const std::string kNetsh = "\"%SystemRoot%\\System32\\netsh.exe\" interface ip ";
const std::string kStop = "if %errorlevel% neq 0 exit /b %errorlevel%";

// The file's lines without their CR LF; a line ended otherwise keeps what it has.
Lines LinesOf(const std::string& text) {
  Lines lines;
  std::size_t start = 0;
  for (std::size_t end; (end = text.find("\r\n", start)) != std::string::npos; start = end + 2)
    lines.push_back(text.substr(start, end - start));
  if (start < text.size()) lines.push_back(text.substr(start));
  return lines;
}

Lines NetshLines(const std::string& text) {
  Lines netsh;
  for (const std::string& line : LinesOf(text))
    if (line.rfind(kNetsh, 0) == 0) netsh.push_back(line.substr(kNetsh.size()));
  return netsh;
}

struct BatchCase {
  const char* label;
  TNetInfo profile;  // as the editor leaves it: the file is made from the normalised copy
  Lines commands;    // after "netsh interface ip"
  friend void PrintTo(const BatchCase& c, std::ostream* out) { *out << c.label; }
};

class BatchFileCommands : public testing::TestWithParam<BatchCase> {};

TEST_P(BatchFileCommands, AreTheApplyScriptsWithPlainAddresses) {
  EXPECT_EQ(NetshLines(BatchFileText(NormalisedCopy(GetParam().profile))), GetParam().commands);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, BatchFileCommands,
    testing::Values(
        BatchCase{"Dhcp",
                  TNetInfo{"Local Area Connection", true, "10 .1  .2  .3  ", "", "", "", "", ""},
                  {"set address name=\"Local Area Connection\" source=dhcp",
                   "set dns name=\"Local Area Connection\" source=dhcp",
                   "set wins name=\"Local Area Connection\" source=dhcp"}},
        BatchCase{"Static",
                  TNetInfo{"LAN", false, "10 .1  .2  .3  ", "255.255.0  .0  ", "10 .1  .0  .1  ",
                           "10 .1  .0  .2  ", "10 .1  .0  .3  ", "10 .1  .0  .4  "},
                  {"set address name=\"LAN\" source=static addr=10.1.2.3 mask=255.255.0.0",
                   "set address name=\"LAN\" gateway=10.1.0.1 gwmetric=0",
                   "set dns name=\"LAN\" source=static addr=10.1.0.2",
                   "add dns name = \"LAN\" addr = 10.1.0.3",
                   "set wins name=\"LAN\" source=static addr=10.1.0.4"}},
        // Untouched members: "none", the default mask, and no line adding an alternate DNS.
        BatchCase{"BlankMembers",
                  TNetInfo{"LAN", false, "10 .1  .2  .3  ", "   .   .   .   ", "   .   .   .   ",
                           "   .   .   .   ", "   .   .   .   ", "   .   .   .   "},
                  {"set address name=\"LAN\" source=static addr=10.1.2.3 mask=255.255.255.0",
                   "set address name=\"LAN\" gateway=none gwmetric=0",
                   "set dns name=\"LAN\" source=static addr=none",
                   "set wins name=\"LAN\" source=static addr=none"}},
        // cmd expands "%...%" even inside quotes: each "%" is written as "%%".
        BatchCase{"PercentInTheName",
                  TNetInfo{"50% %PATH% LAN", true, "", "", "", "", "", ""},
                  {"set address name=\"50%% %%PATH%% LAN\" source=dhcp",
                   "set dns name=\"50%% %%PATH%% LAN\" source=dhcp",
                   "set wins name=\"50%% %%PATH%% LAN\" source=dhcp"}},
        // Inside the quotes cmd's operators are plain text: written as they are.
        BatchCase{"OperatorsInTheName",
                  TNetInfo{"R&D | a^b <c> !x! (y)", true, "", "", "", "", "", ""},
                  {"set address name=\"R&D | a^b <c> !x! (y)\" source=dhcp",
                   "set dns name=\"R&D | a^b <c> !x! (y)\" source=dhcp",
                   "set wins name=\"R&D | a^b <c> !x! (y)\" source=dhcp"}}),
    [](const testing::TestParamInfo<BatchCase>& param) { return std::string(param.param.label); });

// The order that makes the file safe to run: the administrator check before any netsh,
// every netsh line followed at once by its stop, and nothing run after the last of them.
TEST(BatchFile, ChecksTheAdministratorFirstAndStopsAfterEachFailedCommand) {
  const TNetInfo profile{"LAN", false, "10.1.2.3", "255.0.0.0", "", "", "10.0.0.3", ""};
  const std::string text = BatchFileText(NormalisedCopy(profile));
  const Lines lines = LinesOf(text);
  ASSERT_FALSE(lines.empty());
  EXPECT_EQ(lines[0], "@echo off");
  EXPECT_EQ(text.substr(text.size() - 2), "\r\n");

  std::size_t firstNetsh = lines.size(), adminGate = lines.size(), lastStop = 0;
  for (std::size_t i = 0; i < lines.size(); ++i) {
    if (lines[i].find('\n') != std::string::npos) ADD_FAILURE() << "bare LF in line " << i;
    if (lines[i] == "if %errorlevel% neq 0 goto notAdministrator") adminGate = i;
    if (lines[i].rfind(kNetsh, 0) != 0) continue;
    firstNetsh = std::min(firstNetsh, i);
    ASSERT_LT(i + 1, lines.size());
    EXPECT_EQ(lines[i + 1], kStop) << "after " << lines[i];
    lastStop = i + 1;
  }
  EXPECT_EQ(NetshLines(text).size(), 5u);
  EXPECT_LT(adminGate, firstNetsh);
  ASSERT_LT(lastStop + 3, lines.size());
  const Lines tail(lines.begin() + static_cast<std::ptrdiff_t>(lastStop) + 1, lines.end());
  EXPECT_EQ(tail, (Lines{"exit /b 0", ":notAdministrator",
                         "echo " + std::string(kBatchNotAdministratorText), "exit /b 5"}));
}

}  // namespace
