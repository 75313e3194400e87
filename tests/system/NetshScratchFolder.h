#pragma once

#include <windows.h>

#include <filesystem>
#include <string>

// A fresh folder under the temporary folder for one test, removed with everything in it
// (read-only files included) when the test ends.
class TNetshScratchFolder {
 public:
  explicit TNetshScratchFolder(const std::string& name) {
    char temp[MAX_PATH + 1] = {};
    GetTempPathA(sizeof(temp), temp);
    path_ = std::string(temp) + "ardenix-" + name + "-" + std::to_string(GetCurrentProcessId());
    Remove();
    std::filesystem::create_directories(path_);
  }
  ~TNetshScratchFolder() { Remove(); }
  TNetshScratchFolder(const TNetshScratchFolder&) = delete;
  TNetshScratchFolder& operator=(const TNetshScratchFolder&) = delete;

  const std::string& Path() const { return path_; }
  std::string operator/(const std::string& name) const { return path_ + "\\" + name; }

 private:
  void Remove() {
    std::error_code ignored;
    if (!std::filesystem::exists(path_, ignored)) return;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(path_, ignored))
      SetFileAttributesA(entry.path().string().c_str(), FILE_ATTRIBUTE_NORMAL);
    std::filesystem::remove_all(path_, ignored);
  }

  std::string path_;
};
