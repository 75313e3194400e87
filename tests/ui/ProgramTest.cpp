// Ardenix.exe itself: its resources, and a start with a store beside it that shows the
// main window with the store's profiles and writes the store back when it is closed.
#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "ProgramUnderTest.h"

namespace {

// A module loaded for its resources only.
class TResourceModule {
 public:
  explicit TResourceModule(const std::string& path)
      : module_(LoadLibraryExA(path.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE)) {}
  ~TResourceModule() {
    if (module_) FreeLibrary(module_);
  }
  TResourceModule(const TResourceModule&) = delete;
  TResourceModule& operator=(const TResourceModule&) = delete;
  HMODULE Get() const { return module_; }

 private:
  HMODULE module_;
};

TEST(ArdenixProgram, CarriesItsVersionManifestAndIcons) {
  const std::string program = ProgramPath();
  DWORD ignored = 0;
  const DWORD size = GetFileVersionInfoSizeA(program.c_str(), &ignored);
  ASSERT_GT(size, 0u);
  std::vector<char> info(size);
  ASSERT_TRUE(GetFileVersionInfoA(program.c_str(), 0, size, info.data()));
  char* version = nullptr;
  UINT length = 0;
  ASSERT_TRUE(VerQueryValueA(info.data(), "\\StringFileInfo\\040904B0\\ProductVersion",
                             reinterpret_cast<void**>(&version), &length));
  EXPECT_STREQ(version, "1.01");

  TResourceModule module(program);
  ASSERT_NE(module.Get(), nullptr);
  HRSRC manifest = FindResourceA(module.Get(), MAKEINTRESOURCEA(1), MAKEINTRESOURCEA(24));
  ASSERT_NE(manifest, nullptr);
  const std::string text(
      static_cast<const char*>(LockResource(LoadResource(module.Get(), manifest))),
      SizeofResource(module.Get(), manifest));
  for (const char* part :
       {"Microsoft.Windows.Common-Controls", "PerMonitorV2", "true/pm", "asInvoker"}) {
    EXPECT_NE(text.find(part), std::string::npos) << part;
  }
  for (int side : {16, 32, 48, 256}) {
    HICON icon = static_cast<HICON>(
        LoadImageA(module.Get(), MAKEINTRESOURCEA(1), IMAGE_ICON, side, side, 0));
    ASSERT_NE(icon, nullptr) << side;
    ICONINFO iconInfo{};
    ASSERT_TRUE(GetIconInfo(icon, &iconInfo));
    BITMAP bitmap{};
    GetObjectA(iconInfo.hbmColor, sizeof bitmap, &bitmap);
    EXPECT_EQ(bitmap.bmWidth, side);
    DeleteObject(iconInfo.hbmColor);
    DeleteObject(iconInfo.hbmMask);
    DestroyIcon(icon);
  }
}

std::string ReadAll(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(file), {});
}

TEST(ArdenixProgram, StartsWithTheStoreBesideItAndWritesItBackWhenClosed) {
  char temp[MAX_PATH] = {};
  GetTempPathA(MAX_PATH, temp);
  const std::string folder =
      std::string(temp) + "ardenix-program-" + std::to_string(GetCurrentProcessId());
  std::filesystem::create_directories(folder);
  const std::string program = folder + "\\Ardenix.exe";
  const std::string store = folder + "\\Ardenix.INI";
  ASSERT_TRUE(CopyFileA(ProgramPath().c_str(), program.c_str(), FALSE));
  std::ofstream(store, std::ios::binary)
      << "[Office]\r\nLAN=Local Area Connection\r\nDHCP=0\r\nIP=10 .0  .0  .5\r\n"
         "[Home]\r\nLAN=Local Area Connection\r\nDHCP=1\r\n";

  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process{};
  std::string commandLine = "\"" + program + "\"";
  ASSERT_TRUE(CreateProcessA(program.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0,
                             nullptr, folder.c_str(), &startup, &process));
  WaitForInputIdle(process.hProcess, 30000);
  HWND window = nullptr;
  for (int tries = 0; tries < 3000 && !(window && IsWindowVisible(window)); ++tries) {
    window = FindWindowA("TfrmMain", "Ardenix 1.01");
    Sleep(10);
  }
  ASSERT_NE(window, nullptr);
  EXPECT_TRUE(IsWindowVisible(window));
  HWND list = FindWindowExA(FindWindowExA(window, nullptr, "ArdenixPanel", nullptr), nullptr,
                            WC_LISTVIEWA, nullptr);
  ASSERT_NE(list, nullptr);
  EXPECT_EQ(SendMessageA(list, LVM_GETITEMCOUNT, 0, 0), 2);

  PostMessageA(window, WM_CLOSE, 0, 0);
  EXPECT_EQ(WaitForSingleObject(process.hProcess, 30000), WAIT_OBJECT_0);
  DWORD exitCode = 1;
  GetExitCodeProcess(process.hProcess, &exitCode);
  EXPECT_EQ(exitCode, 0u);
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);

  // Written anew in list order: Home first now.
  const std::string written = ReadAll(store);
  EXPECT_EQ(written.find("[Home]"), 0u) << written;
  EXPECT_NE(written.find("[Office]"), std::string::npos) << written;
  std::error_code ignored;
  std::filesystem::remove_all(folder, ignored);
}

// A kill gives the program no chance to save: what the user changed must be on disk
// already, without closing.
TEST(ArdenixProgram, AnEditSurvivesAKill) {
  char temp[MAX_PATH] = {};
  GetTempPathA(MAX_PATH, temp);
  const std::string folder =
      std::string(temp) + "ardenix-program-kill-" + std::to_string(GetCurrentProcessId());
  std::filesystem::create_directories(folder);
  const std::string program = folder + "\\Ardenix.exe";
  const std::string store = folder + "\\Ardenix.INI";
  ASSERT_TRUE(CopyFileA(ProgramPath().c_str(), program.c_str(), FALSE));
  std::ofstream(store, std::ios::binary) << "[Home]\r\nLAN=Local Area Connection\r\nDHCP=1\r\n";

  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process{};
  std::string commandLine = "\"" + program + "\"";
  ASSERT_TRUE(CreateProcessA(program.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0,
                             nullptr, folder.c_str(), &startup, &process));
  WaitForInputIdle(process.hProcess, 30000);
  HWND window = nullptr;
  for (int tries = 0; tries < 3000 && !(window && IsWindowVisible(window)); ++tries) {
    window = FindWindowA("TfrmMain", "Ardenix 1.01");
    Sleep(10);
  }
  ASSERT_NE(window, nullptr);
  HWND left = FindWindowExA(window, nullptr, "ArdenixPanel", nullptr);
  HWND list = FindWindowExA(left, nullptr, WC_LISTVIEWA, nullptr);
  HWND right = FindWindowExA(window, left, "ArdenixPanel", nullptr);
  HWND dhcp = FindWindowExA(right, nullptr, "Button", "DHCP");
  ASSERT_NE(list, nullptr);
  ASSERT_NE(dhcp, nullptr);
  // Home selected with the keyboard (no pointer crosses the processes), then made static.
  SendMessageA(list, WM_KEYDOWN, VK_HOME, 0);
  SendMessageA(list, WM_KEYUP, VK_HOME, 0);
  SendMessageA(dhcp, BM_CLICK, 0, 0);

  std::string written;
  const ULONGLONG clicked = GetTickCount64();
  while (written.find("DHCP=0") == std::string::npos && GetTickCount64() - clicked < 20000) {
    Sleep(50);
    written = ReadAll(store);
  }
  TerminateProcess(process.hProcess, 9);
  EXPECT_EQ(WaitForSingleObject(process.hProcess, 30000), WAIT_OBJECT_0);
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  written = ReadAll(store);
  EXPECT_NE(written.find("[Home]"), std::string::npos) << written;
  EXPECT_NE(written.find("DHCP=0"), std::string::npos) << written;
  std::error_code ignored;
  std::filesystem::remove_all(folder, ignored);
}

}  // namespace
