// One window program per store, with real Ardenix processes: a second start for the same
// store (also through a path in other letter case) hands over to the running program and
// ends without writing; a copy in another folder runs side by side.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "ProgramUnderTest.h"
#include "StoreInstance.h"

namespace {

std::string ReadAll(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(file), {});
}

FILETIME LastWrite(const std::string& path) {
  WIN32_FILE_ATTRIBUTE_DATA data{};
  GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data);
  return data.ftLastWriteTime;
}

// A folder of its own holding a copy of Ardenix.exe and a store.
class TProgramFolder {
 public:
  explicit TProgramFolder(const std::string& name) {
    char temp[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, temp);
    path_ = std::string(temp) + "ardenix-instance-" + name + "-" +
            std::to_string(GetCurrentProcessId());
    std::filesystem::create_directories(path_);
    CopyFileA(ProgramPath().c_str(), Program().c_str(), FALSE);
    std::ofstream(Store(), std::ios::binary)
        << "[Office]\r\nLAN=Local Area Connection\r\nDHCP=1\r\n";
  }
  ~TProgramFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
  }
  TProgramFolder(const TProgramFolder&) = delete;
  TProgramFolder& operator=(const TProgramFolder&) = delete;

  const std::string& Path() const { return path_; }
  std::string Program() const { return path_ + "\\Ardenix.exe"; }
  std::string Store() const { return path_ + "\\Ardenix.INI"; }

 private:
  std::string path_;
};

// A started Ardenix; closed through its main window, else killed, when it goes.
class TRunningProgram {
 public:
  TRunningProgram(const std::string& program, const std::string& folder) {
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    std::string commandLine = "\"" + program + "\"";
    started_ = CreateProcessA(program.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0,
                              nullptr, folder.c_str(), &startup, &process_) != FALSE;
  }
  ~TRunningProgram() {
    if (!started_) return;
    if (Running()) {
      if (HWND window = MainWindow()) PostMessageA(window, WM_CLOSE, 0, 0);
      if (WaitForSingleObject(process_.hProcess, 20000) != WAIT_OBJECT_0) {
        TerminateProcess(process_.hProcess, 1);
      }
    }
    CloseHandle(process_.hThread);
    CloseHandle(process_.hProcess);
  }
  TRunningProgram(const TRunningProgram&) = delete;
  TRunningProgram& operator=(const TRunningProgram&) = delete;

  bool Started() const { return started_; }
  bool Running() const { return WaitForSingleObject(process_.hProcess, 0) == WAIT_TIMEOUT; }

  // The process's main window, or null.
  HWND MainWindow() const {
    struct TSearch {
      DWORD process;
      HWND found;
    } search{process_.dwProcessId, nullptr};
    EnumWindows(
        [](HWND window, LPARAM data) -> BOOL {
          auto* s = reinterpret_cast<TSearch*>(data);
          DWORD owner = 0;
          GetWindowThreadProcessId(window, &owner);
          char className[32] = {};
          GetClassNameA(window, className, sizeof className);
          if (owner != s->process || std::string(className) != "TfrmMain") return TRUE;
          s->found = window;
          return FALSE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
  }

  // Waits until the main window's visibility is `visible`; false on timing out.
  bool WaitForMainWindow(bool visible, DWORD timeoutMs = 30000) const {
    for (DWORD waited = 0; waited < timeoutMs; waited += 10) {
      HWND window = MainWindow();
      if (window && (IsWindowVisible(window) != FALSE) == visible) return true;
      Sleep(10);
    }
    return false;
  }

  // Waits for the end; its exit code, or -1 on timing out.
  long WaitForExit(DWORD timeoutMs) const {
    if (WaitForSingleObject(process_.hProcess, timeoutMs) != WAIT_OBJECT_0) return -1;
    DWORD code = 0;
    GetExitCodeProcess(process_.hProcess, &code);
    return static_cast<long>(code);
  }

 private:
  bool started_ = false;
  PROCESS_INFORMATION process_{};
};

std::string Upper(std::string text) {
  std::transform(text.begin(), text.end(), text.begin(),
                 [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
  return text;
}

TEST(StoreInstanceName, FoldsLetterCaseAndIsAValidKernelObjectName) {
  const std::string name = StoreInstanceName("C:\\Tools\\Ardenix.INI");
  EXPECT_EQ(name, StoreInstanceName("c:\\TOOLS\\ardenix.ini"));
  EXPECT_EQ(name, StoreInstanceName("C:\\Tools\\.\\Ardenix.INI"));
  EXPECT_NE(name, StoreInstanceName("C:\\Tools2\\Ardenix.INI"));
  EXPECT_NE(name, StoreInstanceName("C:\\Tools\\Lanpick.INI"));
  EXPECT_EQ(name.rfind("Local\\", 0), 0u);
  EXPECT_EQ(name.find('\\', 6), std::string::npos);
  const std::string longPath = "C:\\" + std::string(250, 'a') + "\\Ardenix.INI";
  EXPECT_LT(StoreInstanceName(longPath).size(), static_cast<size_t>(MAX_PATH));
}

struct SecondStart {
  const char* Name;
  bool UpperCase;
};

class StoreInstanceSecondStart : public testing::TestWithParam<SecondStart> {};

TEST_P(StoreInstanceSecondStart, HandsOverToTheRunningProgramAndWritesNothing) {
  TProgramFolder folder(GetParam().Name);
  TRunningProgram first(folder.Program(), folder.Path());
  ASSERT_TRUE(first.Started());
  ASSERT_TRUE(first.WaitForMainWindow(true));
  // Minimised into the notification area.
  PostMessageA(first.MainWindow(), WM_SYSCOMMAND, SC_MINIMIZE, 0);
  ASSERT_TRUE(first.WaitForMainWindow(false));
  const std::string storeBefore = ReadAll(folder.Store());
  const FILETIME writtenBefore = LastWrite(folder.Store());

  const std::string program = GetParam().UpperCase ? Upper(folder.Program()) : folder.Program();
  TRunningProgram second(program, folder.Path());
  ASSERT_TRUE(second.Started());
  EXPECT_EQ(second.WaitForExit(20000), 0);
  EXPECT_TRUE(first.WaitForMainWindow(true, 10000)) << "the running program came back";
  EXPECT_TRUE(first.Running());
  EXPECT_EQ(ReadAll(folder.Store()), storeBefore);
  const FILETIME writtenAfter = LastWrite(folder.Store());
  EXPECT_EQ(CompareFileTime(&writtenBefore, &writtenAfter), 0);
}

INSTANTIATE_TEST_SUITE_P(
    Path, StoreInstanceSecondStart,
    testing::Values(SecondStart{"same", false}, SecondStart{"case", true}),
    [](const testing::TestParamInfo<SecondStart>& start) { return std::string(start.param.Name); });

TEST(StoreInstance, CopiesInOtherFoldersRunSideBySide) {
  TProgramFolder one("one");
  TProgramFolder other("other");
  TRunningProgram first(one.Program(), one.Path());
  ASSERT_TRUE(first.WaitForMainWindow(true));
  TRunningProgram second(other.Program(), other.Path());
  ASSERT_TRUE(second.WaitForMainWindow(true));
  EXPECT_TRUE(first.Running());
  EXPECT_TRUE(second.Running());
  EXPECT_NE(first.MainWindow(), second.MainWindow());
}

}  // namespace
