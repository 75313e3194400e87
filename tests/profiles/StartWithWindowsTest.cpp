// The "Start with Windows" item's decisions: which Run value starts this program, and what
// a click writes or removes. The registry is a fake here; the Win32 side is tested under Wine.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <optional>
#include <string>

#include "StartWithWindows.h"

namespace {

// Letter case aside, as Windows compares the paths of this table (all ASCII).
bool SameIgnoringCase(const std::string& a, const std::string& b) {
  return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](unsigned char x, unsigned char y) {
    return std::tolower(x) == std::tolower(y);
  });
}

constexpr char kProgram[] = "C:\\Tools\\Ardenix\\Ardenix.exe";

TEST(StartupCommand, QuotesTheProgramAndStartsInTheNotificationArea) {
  EXPECT_EQ(StartupCommand("C:\\Program Files\\Ardenix\\Ardenix.exe"),
            "\"C:\\Program Files\\Ardenix\\Ardenix.exe\" /tray");
}

struct TRunsCase {
  const char* command;
  bool runs;
};

const TRunsCase kRunsCases[] = {
    {"\"C:\\Tools\\Ardenix\\Ardenix.exe\" /tray", true},
    {"\"c:\\tools\\ARDENIX\\ardenix.EXE\" /tray", true},   // letter case aside
    {"\"C:\\Tools\\Ardenix\\Ardenix.exe\"", true},         // any arguments
    {"  \"C:\\Tools\\Ardenix\\Ardenix.exe\" /tray", true},
    {"C:\\Tools\\Ardenix\\Ardenix.exe /tray", true},       // written by hand, unquoted
    {"C:\\Tools\\Ardenix\\Ardenix.exe", true},
    {"\"D:\\Other\\Ardenix.exe\" /tray", false},           // another copy
    {"\"C:\\Tools\\Ardenix\\Ardenix.exe.bak\" /tray", false},
    {"C:\\Tools\\Ardenix\\Ardenix.exe2 /tray", false},    // a longer name, unquoted
    {"\"C:\\Tools\\Ardenix\" \\Ardenix.exe", false},
    {"\"C:\\Tools\\Ardenix\\Ardenix.exe /tray", false},    // unclosed quote
    {"C:\\Tools\\Ardenix", false},                         // shorter than the program
    {"", false},
    {"   ", false},
};

class StartupCommandRunsTest : public testing::TestWithParam<TRunsCase> {};

TEST_P(StartupCommandRunsTest, NamesThisProgramOnly) {
  EXPECT_EQ(StartupCommandRuns(GetParam().command, kProgram, SameIgnoringCase), GetParam().runs)
      << GetParam().command;
}

INSTANTIATE_TEST_SUITE_P(Cases, StartupCommandRunsTest, testing::ValuesIn(kRunsCases));

// The registry's value, with every call recorded.
class TFakeStartupValue : public IStartupValue {
 public:
  std::optional<std::string> Value;
  int Writes = 0;
  int Removes = 0;
  std::optional<std::string> Read() override { return Value; }
  void Write(const std::string& command) override {
    ++Writes;
    Value = command;
  }
  void Remove() override {
    ++Removes;
    Value.reset();
  }
};

struct TToggleCase {
  const char* name;
  std::optional<std::string> before;
  bool checked;                       // the item's check mark before the click
  std::optional<std::string> after;   // the value after a click
};

const std::string kOurs = "\"C:\\Tools\\Ardenix\\Ardenix.exe\" /tray";
const TToggleCase kToggleCases[] = {
    {"none", std::nullopt, false, kOurs},
    {"ours", kOurs, true, std::nullopt},
    {"ours written by hand", "c:\\tools\\ardenix\\ardenix.exe", true, std::nullopt},
    {"another copy's", "\"D:\\Ardenix.exe\" /tray", false, kOurs},
    {"empty", "", false, kOurs},
};

class StartWithWindowsToggle : public testing::TestWithParam<TToggleCase> {};

TEST_P(StartWithWindowsToggle, ChecksOnlyOursAndAClickTurnsIt) {
  TFakeStartupValue value;
  value.Value = GetParam().before;
  TStartWithWindows item(value, kProgram, SameIgnoringCase);
  EXPECT_EQ(item.Enabled(), GetParam().checked);
  item.Toggle();
  EXPECT_EQ(value.Value, GetParam().after);
  EXPECT_EQ(item.Enabled(), !GetParam().checked);
  // One click, one change of the registry.
  EXPECT_EQ(value.Writes + value.Removes, 1);
}

std::string ToggleCaseName(const testing::TestParamInfo<TToggleCase>& param) {
  std::string name = param.param.name;
  std::replace_if(name.begin(), name.end(), [](char c) { return c == ' ' || c == '\''; }, '_');
  return name;
}

INSTANTIATE_TEST_SUITE_P(Cases, StartWithWindowsToggle, testing::ValuesIn(kToggleCases),
                         ToggleCaseName);

}  // namespace
