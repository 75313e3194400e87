#include "StdFileSystem.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <random>
#include <string>

#include "FileBytes.h"

namespace {

namespace fs = std::filesystem;

// A fresh folder per test, removed afterwards.
class StdFileSystemTest : public testing::Test {
 protected:
  void SetUp() override {
    const testing::TestInfo* info = testing::UnitTest::GetInstance()->current_test_info();
    folder_ = fs::path(testing::TempDir()) / (std::string("ardenix-fs-") + info->name() + "-" +
                                              std::to_string(std::random_device{}()));
    fs::remove_all(folder_);
    fs::create_directories(folder_);
  }
  void TearDown() override { fs::remove_all(folder_); }

  std::string PathOf(const char* name, const char* inner = nullptr) const {
    fs::path path = folder_ / name;
    if (inner) path /= inner;
    return path.string();
  }

  fs::path folder_;
  TStdFileSystem files_;
};

TEST_F(StdFileSystemTest, WritesBytesAsTheyAre) {
  const std::string bytes("a\r\nb\0c\xFF\r\n", 9);
  files_.WriteNew(PathOf("x.TMP"), bytes);
  EXPECT_EQ(FileBytes(PathOf("x.TMP")), bytes);
}

TEST_F(StdFileSystemTest, OverwritingALongerFileLeavesNothingOfIt) {
  std::ofstream(PathOf("x.TMP"), std::ios::binary) << std::string(5000, 'z');
  files_.WriteNew(PathOf("x.TMP"), "short\r\n");
  EXPECT_EQ(FileBytes(PathOf("x.TMP")), "short\r\n");
}

struct CreateFailure {
  const char* label;
  const char* folder;  // inside the test folder
  const char* file;    // inside that folder, if any
};

class StdFileSystemCreateError : public StdFileSystemTest,
                                 public testing::WithParamInterface<CreateFailure> {};

TEST_P(StdFileSystemCreateError, NamesTheFullPathAndTheCause) {
  fs::create_directories(folder_ / "folder");
  const std::string path = PathOf(GetParam().folder, GetParam().file);
  try {
    files_.WriteNew(path, "x");
    FAIL() << "no error";
  } catch (const TFileError& error) {
    const std::string prefix = "Cannot create file \"" + path + "\". ";
    const std::string text = error.what();
    ASSERT_EQ(text.substr(0, prefix.size()), prefix);
    EXPECT_GT(text.size(), prefix.size()) << "the cause is missing";
  }
}

INSTANTIATE_TEST_SUITE_P(Cases, StdFileSystemCreateError,
                         testing::Values(CreateFailure{"MissingFolder", "missing", "x.TMP"},
                                         CreateFailure{"PathIsAFolder", "folder", nullptr}),
                         [](const testing::TestParamInfo<CreateFailure>& param) {
                           return std::string(param.param.label);
                         });

TEST(FileError, Texts) {
  EXPECT_STREQ(TFileError::CannotCreate("C:\\a b\\c.TMP", "Access denied.").what(),
               "Cannot create file \"C:\\a b\\c.TMP\". Access denied.");
  EXPECT_STREQ(TFileError::WriteFailed().what(), "Stream write error");
}

}  // namespace
