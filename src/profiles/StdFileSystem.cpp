#include "StdFileSystem.h"

#include <cerrno>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <system_error>

namespace {

std::string FullPath(const std::string& path) {
  std::error_code ignored;
  std::filesystem::path full = std::filesystem::absolute(path, ignored);
  return full.empty() ? path : full.string();
}

// Kept open for reading from the moment it was written.
class TStdHeldFile : public IHeldFile {
 public:
  explicit TStdHeldFile(const std::string& path) : file_(path, std::ios::binary) {}
  std::optional<std::string> ReadBack() override {
    file_.clear();
    if (!file_.is_open() || !file_.seekg(0)) return std::nullopt;
    std::string bytes{std::istreambuf_iterator<char>(file_), std::istreambuf_iterator<char>()};
    if (file_.bad()) return std::nullopt;
    return bytes;
  }

 private:
  std::ifstream file_;
};

std::string CauseOf(int error) {
  if (error == 0) return std::generic_category().message(EIO);
  return std::generic_category().message(error);
}

}  // namespace

void TStdFileSystem::WriteNew(const std::string& path, std::string_view bytes) {
  errno = 0;
  // Read and write, created anew: the same access the Windows side asks for.
  std::fstream file(path, std::ios::binary | std::ios::in | std::ios::out | std::ios::trunc);
  if (!file.is_open()) throw TFileError::CannotCreate(FullPath(path), CauseOf(errno));
  file.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  file.flush();
  if (!file) throw TFileError::WriteFailed();
}

std::unique_ptr<IHeldFile> TStdFileSystem::WriteHeld(const std::string& path,
                                                     std::string_view bytes) {
  WriteNew(path, bytes);
  return std::make_unique<TStdHeldFile>(path);
}
