#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

// A folder of its own under the system's temporary folder for each test, removed after it.
class StoreScratchFolder : public testing::Test {
 protected:
  void SetUp() override {
    char temp[MAX_PATH + 1] = {};
    ASSERT_NE(GetTempPathA(sizeof temp, temp), 0u);
    folder_ = std::string(temp) + "ardenix-store-" + std::to_string(GetCurrentProcessId()) + "-" +
              testing::UnitTest::GetInstance()->current_test_info()->name();
    for (char& c : folder_) {
      if (c == '/') c = '-';
    }
    std::filesystem::remove_all(folder_);
    ASSERT_TRUE(CreateDirectoryA(folder_.c_str(), nullptr)) << folder_;
  }
  void TearDown() override {
    std::error_code ignored;
    std::filesystem::remove_all(folder_, ignored);
  }

  std::string Path(const std::string& name) const { return folder_ + "\\" + name; }

  std::string folder_;
};
