#include "ProfileStore.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>

#include "StdStoreFiles.h"
#include "StorePrinters.h"

namespace {

namespace fs = std::filesystem;

const TProfileList kOld = {{"Old", {"Local Area Connection", true, "", "", "", "", "", ""}}};
const TProfileList kNew = {{"New 1", {"LAN", false, "10 .0  .0  .5  ", "", "", "", "", ""}},
                           {"New 2", {"LAN", true, "", "", "", "", "", ""}}};

// A folder of its own for each test, removed afterwards.
class StoreFolder : public testing::Test {
 protected:
  void SetUp() override {
    std::random_device random;
    folder_ = fs::temp_directory_path() / ("ardenix-store-" + std::to_string(random()));
    fs::create_directories(folder_);
  }
  void TearDown() override { fs::remove_all(folder_); }

  std::string Path(const char* name) const { return (folder_ / name).string(); }
  std::string StorePath() const { return Path("Ardenix.INI"); }

  static std::string Bytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  }
  static void Put(const std::string& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
  }
  std::vector<std::string> FileNames() const {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder_)) {
      names.push_back(entry.path().filename().string());
    }
    return names;
  }

  fs::path folder_;
  TStdStoreFiles files_;
};

TEST_F(StoreFolder, SavesAndLoadsTheList) {
  SaveProfileStore(kNew, StorePath(), files_);
  EXPECT_EQ(Bytes(StorePath()), IniFromProfiles(kNew));
  EXPECT_EQ(LoadProfileStore(StorePath(), files_), kNew);
  EXPECT_THAT(FileNames(), testing::ElementsAre("Ardenix.INI"));
}

TEST_F(StoreFolder, SavingAnEmptyListLeavesNoStore) {
  SaveProfileStore(kOld, StorePath(), files_);
  SaveProfileStore({}, StorePath(), files_);
  EXPECT_THAT(FileNames(), testing::IsEmpty());
  SaveProfileStore({{"   ", kOld[0].Profile}}, StorePath(), files_);
  EXPECT_THAT(FileNames(), testing::IsEmpty());
}

TEST_F(StoreFolder, AMissingStoreLoadsEmptyAndAFolderInItsPlaceIsAnError) {
  EXPECT_THAT(LoadProfileStore(StorePath(), files_), testing::IsEmpty());
  EXPECT_THAT(LoadProfileStore((folder_ / "no such folder" / "Ardenix.INI").string(), files_),
              testing::IsEmpty());
  fs::create_directory(StorePath());
  try {
    LoadProfileStore(StorePath(), files_);
    ADD_FAILURE() << "a folder in the store's place loaded";
  } catch (const TStoreReadError& error) {
    EXPECT_STREQ(error.what(),
                 ("The connections in " + StorePath() + " cannot be read: Not a file.").c_str());
  }
}

TEST_F(StoreFolder, AStoreThatIsAFolderCannotBeWrittenAndStays) {
  fs::create_directory(StorePath());
  EXPECT_THROW(SaveProfileStore(kNew, StorePath(), files_), TStoreError);
  EXPECT_TRUE(fs::is_directory(StorePath()));
  EXPECT_THAT(FileNames(), testing::ElementsAre("Ardenix.INI"));
}

TEST_F(StoreFolder, ALeftoverTemporaryFromAnInterruptedSaveIsReplaced) {
  Put(TemporaryStorePath(StorePath()), "[Half");
  SaveProfileStore(kNew, StorePath(), files_);
  EXPECT_EQ(LoadProfileStore(StorePath(), files_), kNew);
  EXPECT_THAT(FileNames(), testing::ElementsAre("Ardenix.INI"));
}

TEST(StoreError, NamesTheStore) {
  EXPECT_STREQ(TStoreError("C:\\Tools\\lanpick.INI").what(),
               "Unable to write to C:\\Tools\\lanpick.INI");
}

// The steps of a save, each of which the system may refuse.
enum class TStep { Create, Write, Flush, Close, Replace };

// Standard files that refuse one step. A refused write has put half its bytes in the
// file first, as a full disk would.
class TRefusingFiles : public IStoreFiles {
 public:
  explicit TRefusingFiles(TStep refused) : refused_(refused) {}

  TFileContent ReadAll(const std::string& path) override {
    return files_.ReadAll(path);
  }
  std::unique_ptr<IStoreFile> CreateNew(const std::string& path) override {
    auto file = files_.CreateNew(path);
    if (refused_ == TStep::Create) return nullptr;
    return std::make_unique<TRefusingFile>(std::move(file), refused_);
  }
  bool ReplaceAtomically(const std::string& from, const std::string& to) override {
    return refused_ != TStep::Replace && files_.ReplaceAtomically(from, to);
  }
  bool Remove(const std::string& path) override { return files_.Remove(path); }

 private:
  class TRefusingFile : public IStoreFile {
   public:
    TRefusingFile(std::unique_ptr<IStoreFile> file, TStep refused)
        : file_(std::move(file)), refused_(refused) {}
    bool Write(std::string_view bytes) override {
      if (refused_ != TStep::Write) return file_->Write(bytes);
      file_->Write(bytes.substr(0, bytes.size() / 2));
      return false;
    }
    bool Flush() override { return refused_ != TStep::Flush && file_->Flush(); }
    bool Close() override { return file_->Close() && refused_ != TStep::Close; }

   private:
    std::unique_ptr<IStoreFile> file_;
    TStep refused_;
  };

  TStdStoreFiles files_;
  TStep refused_;
};

class RefusedStep : public StoreFolder, public testing::WithParamInterface<TStep> {};

TEST_P(RefusedStep, LeavesTheOldStoreAsItWasAndNoTemporaryFile) {
  const std::string old = "; kept by hand\r\n[Old]\r\nLAN=Local Area Connection\r\nDHCP=1\r\n";
  Put(StorePath(), old);
  TRefusingFiles refusing(GetParam());
  try {
    SaveProfileStore(kNew, StorePath(), refusing);
    FAIL() << "the save was reported as done";
  } catch (const TStoreError& error) {
    EXPECT_EQ(error.what(), "Unable to write to " + StorePath());
  }
  EXPECT_EQ(Bytes(StorePath()), old);
  EXPECT_THAT(FileNames(), testing::ElementsAre("Ardenix.INI"));
}

INSTANTIATE_TEST_SUITE_P(EachStep, RefusedStep,
                         testing::Values(TStep::Create, TStep::Write, TStep::Flush, TStep::Close,
                                         TStep::Replace));

}  // namespace
