// One window program per store, with real Ardenix processes: a second start for the same
// store (also through a path in other letter case) hands over to the running program and
// ends without writing; a copy in another folder runs side by side.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <condition_variable>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <mutex>
#include <string>
#include <thread>

#include "ProcessWindow.h"
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
  TRunningProgram(const std::string& program, const std::string& folder,
                  const std::string& arguments = "") {
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    std::string commandLine = "\"" + program + "\"";
    if (!arguments.empty()) commandLine += " " + arguments;
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
  HWND MainWindow() const { return WindowOfClass("TfrmMain"); }

  // A top-level window of the process of that class, or null.
  HWND WindowOfClass(const std::string& wanted) const {
    return TopLevelWindowOf(process_.dwProcessId, wanted);
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

  // Waits for a message box of the process; null on timing out.
  HWND WaitForMessageBox(DWORD timeoutMs) const {
    for (DWORD waited = 0; waited < timeoutMs; waited += 20) {
      if (HWND box = WindowOfClass("#32770")) return box;
      if (!Running()) return nullptr;
      Sleep(20);
    }
    return nullptr;
  }

  // Waits until the program has started and waits for input (its start-up show command
  // followed); false on timing out.
  bool WaitUntilIdle(DWORD timeoutMs = 30000) const {
    return WaitForInputIdle(process_.hProcess, timeoutMs) == 0;
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

// The icons in Wine's notification area (its stand-alone tray window, one child per icon).
int TrayIconCount() {
  HWND tray = FindWindowA("__winex11_standalone_tray", nullptr);
  int count = 0;
  for (HWND icon = FindWindowExA(tray, nullptr, "__winex11_tray_icon", nullptr); tray && icon;
       icon = FindWindowExA(tray, icon, "__winex11_tray_icon", nullptr))
    ++count;
  return count;
}

// As at logon: /tray starts with the icon and no window; a second /tray start (a second
// logon entry, or the user's click on it) ends at once and leaves the running one hidden.
TEST(StoreInstance, TrayStartsHiddenAndASecondTrayStartLeavesItSo) {
  TProgramFolder folder("tray");
  const int iconsBefore = TrayIconCount();
  TRunningProgram first(folder.Program(), folder.Path(), "/tray");
  ASSERT_TRUE(first.Started());
  ASSERT_TRUE(first.WaitUntilIdle());
  for (int tries = 0; tries < 3000 && TrayIconCount() == iconsBefore; ++tries) Sleep(10);
  EXPECT_EQ(TrayIconCount(), iconsBefore + 1) << "no icon in the notification area";
  ASSERT_TRUE(first.MainWindow());
  EXPECT_FALSE(IsWindowVisible(first.MainWindow()));
  EXPECT_FALSE(IsWindowVisible(first.WindowOfClass("ArdenixApplication"))) << "a taskbar button";

  TRunningProgram second(folder.Program(), folder.Path(), "/TRAY");
  ASSERT_TRUE(second.Started());
  EXPECT_EQ(second.WaitForExit(20000), 0);
  ASSERT_TRUE(first.WaitUntilIdle());
  EXPECT_FALSE(IsWindowVisible(first.MainWindow())) << "the running program came up";
  EXPECT_TRUE(first.Running());
}

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

// ---- a running program that does not answer ----

// A window whose thread stops handling messages once it is made: a first program that
// hangs. Its thread ends when this object goes.
class THungWindow {
 public:
  THungWindow() {
    thread_ = std::thread([this] {
      HWND window = CreateWindowExA(0, "STATIC", "hung", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                    nullptr, nullptr);
      {
        std::lock_guard<std::mutex> lock(mutex_);
        window_ = window;
      }
      made_.notify_one();
      WaitForSingleObject(release_, INFINITE);
      DestroyWindow(window);
    });
    std::unique_lock<std::mutex> lock(mutex_);
    made_.wait(lock, [this] { return window_ != nullptr; });
  }
  ~THungWindow() {
    SetEvent(release_);
    thread_.join();
    CloseHandle(release_);
  }
  THungWindow(const THungWindow&) = delete;
  THungWindow& operator=(const THungWindow&) = delete;

  HWND Handle() const { return window_; }

 private:
  HANDLE release_ = CreateEventA(nullptr, TRUE, FALSE, nullptr);
  std::mutex mutex_;
  std::condition_variable made_;
  HWND window_ = nullptr;
  std::thread thread_;
};

// A window on a thread of its own that handles its messages.
class TAnsweringWindow {
 public:
  TAnsweringWindow() {
    thread_ = std::thread([this] {
      HWND window = CreateWindowExA(0, "STATIC", "answers", 0, 0, 0, 0, 0, HWND_MESSAGE,
                                    nullptr, nullptr, nullptr);
      {
        std::lock_guard<std::mutex> lock(mutex_);
        window_ = window;
      }
      made_.notify_one();
      MSG message;
      while (GetMessageA(&message, nullptr, 0, 0) > 0) DispatchMessageA(&message);
      DestroyWindow(window);
    });
    std::unique_lock<std::mutex> lock(mutex_);
    made_.wait(lock, [this] { return window_ != nullptr; });
    threadId_ = GetWindowThreadProcessId(window_, nullptr);
  }
  ~TAnsweringWindow() {
    PostThreadMessageA(threadId_, WM_QUIT, 0, 0);
    thread_.join();
  }
  TAnsweringWindow(const TAnsweringWindow&) = delete;
  TAnsweringWindow& operator=(const TAnsweringWindow&) = delete;

  HWND Handle() const { return window_; }

 private:
  std::mutex mutex_;
  std::condition_variable made_;
  HWND window_ = nullptr;
  DWORD threadId_ = 0;
  std::thread thread_;
};

std::string TestStore(const char* name) {
  char temp[MAX_PATH] = {};
  GetTempPathA(MAX_PATH, temp);
  return std::string(temp) + "ardenix-claim-" + name + "-" +
         std::to_string(GetCurrentProcessId()) + "\\Ardenix.INI";
}

TEST(StoreInstanceClaim, ALaterStartIsHandedOverOnlyWhenTheRunningProgramAnswers) {
  const std::string store = TestStore("answers");
  TStoreInstance first;
  ASSERT_EQ(first.Claim(store), TStoreClaim::Claimed);
  {
    TAnsweringWindow answering;
    first.Publish(answering.Handle());
    TStoreInstance second;
    EXPECT_EQ(second.Claim(store), TStoreClaim::HandedOver);
  }
  THungWindow hung;
  first.Publish(hung.Handle());
  TStoreInstance third;
  EXPECT_EQ(third.Claim(store), TStoreClaim::Unanswered) << "never a silent hand-over";
}

// A claim of that name that cannot be opened as one (here another kind of object holds the
// name; elsewhere a program with other rights made it) is held all the same.
TEST(StoreInstanceClaim, AClaimThatCannotBeOpenedCountsAsHeld) {
  const std::string store = TestStore("unopenable");
  HANDLE squatter = CreateEventA(nullptr, TRUE, FALSE, StoreInstanceName(store).c_str());
  ASSERT_TRUE(squatter);
  TStoreInstance instance;
  EXPECT_EQ(instance.Claim(store), TStoreClaim::Unanswered);
  CloseHandle(squatter);
}

// The program started for a store whose running program hangs: it names the store in a
// message box and ends with a failure. The test is the hung first program.
TEST(StoreInstance, ASecondStartBesideAHungProgramSaysSoAndFails) {
  TProgramFolder folder("hung");
  TStoreInstance first;
  ASSERT_EQ(first.Claim(folder.Store()), TStoreClaim::Claimed);
  THungWindow hung;
  first.Publish(hung.Handle());

  TRunningProgram second(folder.Program(), folder.Path());
  ASSERT_TRUE(second.Started());
  HWND box = second.WaitForMessageBox(60000);
  ASSERT_TRUE(box) << "no message box";
  // The box's window comes before its text does: a loaded machine shows the gap.
  char text[1024] = {};
  for (int tries = 0; tries < 1000 && GetDlgItemTextA(box, 0xFFFF, text, sizeof text) == 0; ++tries)
    Sleep(20);
  EXPECT_NE(std::string(text).find(folder.Store()), std::string::npos) << text;
  EXPECT_NE(std::string(text).find("does not answer"), std::string::npos) << text;
  PostMessageA(box, WM_COMMAND, IDOK, 0);
  EXPECT_EQ(second.WaitForExit(20000), 2);
}

}  // namespace
