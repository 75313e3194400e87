// The Run value under Wine's registry: written, read back, removed; and the paths the
// "Start with Windows" item compares.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "Win32StartupValue.h"

namespace {

constexpr char kRunKey[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";

// A value of the test's own, so that nothing else in the prefix is touched; removed at the end.
class StartupValueTest : public testing::Test {
 protected:
  const std::string name_ = "Ardenix test " + std::to_string(GetCurrentProcessId());
  TWin32StartupValue value_{name_};

  ~StartupValueTest() override { RegDeleteKeyValueA(HKEY_CURRENT_USER, kRunKey, name_.c_str()); }

  void SetRaw(DWORD type, const void* data, DWORD size) {
    ASSERT_EQ(RegSetKeyValueA(HKEY_CURRENT_USER, kRunKey, name_.c_str(), type, data, size),
              ERROR_SUCCESS);
  }
  // The value as the system sees it: its type and bytes, or false when it is not there.
  bool RawText(std::string& text) {
    char buffer[1024] = {};
    DWORD size = sizeof buffer, type = 0;
    if (RegGetValueA(HKEY_CURRENT_USER, kRunKey, name_.c_str(), RRF_RT_ANY | RRF_NOEXPAND, &type,
                     buffer, &size) != ERROR_SUCCESS)
      return false;
    EXPECT_EQ(type, static_cast<DWORD>(REG_SZ));
    text = buffer;
    return true;
  }
};

TEST_F(StartupValueTest, IsWrittenUnderTheRunKeyReadBackAndRemoved) {
  EXPECT_EQ(value_.Read(), std::nullopt);
  const std::string command = "\"C:\\Program Files\\Ardenix\\Ardenix.exe\" /tray";
  value_.Write(command);
  std::string raw;
  ASSERT_TRUE(RawText(raw));
  EXPECT_EQ(raw, command);
  EXPECT_EQ(value_.Read(), command);

  value_.Remove();
  EXPECT_FALSE(RawText(raw));
  EXPECT_EQ(value_.Read(), std::nullopt);
  EXPECT_NO_THROW(value_.Remove());  // already gone
}

TEST_F(StartupValueTest, AValueThatIsNotTextReadsAsNone) {
  const DWORD number = 1;
  SetRaw(REG_DWORD, &number, sizeof number);
  EXPECT_EQ(value_.Read(), std::nullopt);
}

TEST_F(StartupValueTest, AnExpandableValueIsReadExpanded) {
  SetEnvironmentVariableA("ARDENIX_STARTUP_FOLDER", "C:\\Tools");
  const char text[] = "\"%ARDENIX_STARTUP_FOLDER%\\Ardenix.exe\" /tray";
  SetRaw(REG_EXPAND_SZ, text, sizeof text);
  EXPECT_EQ(value_.Read(), "\"C:\\Tools\\Ardenix.exe\" /tray");
}

struct TPathCase {
  const char* a;
  const char* b;
  bool same;
};

TEST(SameWindowsPath, ComparesAsTheFileSystemDoes) {
  const TPathCase cases[] = {
      {"C:\\Tools\\Ardenix.exe", "C:\\Tools\\Ardenix.exe", true},
      {"C:\\Tools\\Ardenix.exe", "c:\\TOOLS\\ardenix.EXE", true},
      {"C:\\Tools\\Ardenix.exe", "C:\\Tools\\Ardenix.ex", false},
      {"C:\\Tools\\Ardenix.exe", "D:\\Tools\\Ardenix.exe", false},
      {"", "", true},
  };
  for (const TPathCase& c : cases) EXPECT_EQ(SameWindowsPath(c.a, c.b), c.same) << c.a << " " << c.b;
  // Beyond ASCII in the ANSI code page, when it has the letters.
  if (GetACP() == 1252) {
    EXPECT_TRUE(SameWindowsPath("C:\\B\xC4ro\\Ardenix.exe", "C:\\b\xE4RO\\Ardenix.exe"));
  }
}

}  // namespace
