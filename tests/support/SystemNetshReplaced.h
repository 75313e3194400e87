// The system's netsh replaced by the stand-in beside the test program (tests/support),
// for the tests that start netsh as the program does.
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <string>

inline std::string Folder(const std::string& path) {
  return path.substr(0, path.find_last_of('\\'));
}

inline std::string OwnFolder() {
  char path[MAX_PATH * 4] = {};
  GetModuleFileNameA(nullptr, path, sizeof(path));
  return Folder(path);
}

inline std::string SystemNetsh() {
  char directory[MAX_PATH] = {};
  GetSystemDirectoryA(directory, sizeof(directory));
  return std::string(directory) + "\\netsh.exe";
}

inline bool RunningUnderWine() {
  return GetProcAddress(GetModuleHandleA("ntdll.dll"), "wine_get_version") != nullptr;
}

// Puts the stand-in in place of the system's netsh for the test and brings the original
// back afterwards. Wine runs the file in its system directory instead of its own built-in
// netsh only when WINEDLLOVERRIDES says "netsh.exe=n".
class SystemNetshReplaced : public testing::Test {
 protected:
  void SetUp() override {
    original_ = SystemNetsh() + ".ardenix-original";
    // A copy left by an interrupted run is the original: keep it.
    if (GetFileAttributesA(original_.c_str()) == INVALID_FILE_ATTRIBUTES) {
      ASSERT_TRUE(CopyFileA(SystemNetsh().c_str(), original_.c_str(), TRUE));
    }
    ASSERT_TRUE(CopyFileA(standIn_.c_str(), SystemNetsh().c_str(), FALSE));

    // Wine reads the override when a process starts, from the environment it was
    // started with; set in here it would come too late for the programs started later.
    if (RunningUnderWine()) {
      char overrides[1024] = {};
      GetEnvironmentVariableA("WINEDLLOVERRIDES", overrides, sizeof(overrides));
      ASSERT_NE(std::string(overrides).find("netsh.exe=n"), std::string::npos)
          << "start this test with WINEDLLOVERRIDES holding netsh.exe=n (CTest does)";
    }
  }

  void TearDown() override {
    CopyFileA(original_.c_str(), SystemNetsh().c_str(), FALSE);
    DeleteFileA(original_.c_str());
  }

  const std::string standIn_ = OwnFolder() + "\\netsh_standin.exe";
  std::string original_;
};
