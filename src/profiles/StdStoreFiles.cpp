#include "StdStoreFiles.h"

#include <filesystem>
#include <fstream>
#include <iterator>
#include <system_error>

namespace {

class TStdStoreFile : public IStoreFile {
 public:
  explicit TStdStoreFile(std::ofstream stream) : stream_(std::move(stream)) {}

  bool Write(std::string_view bytes) override {
    stream_.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    return static_cast<bool>(stream_);
  }
  bool Flush() override { return static_cast<bool>(stream_.flush()); }
  bool Close() override {
    stream_.close();
    return static_cast<bool>(stream_);
  }

 private:
  std::ofstream stream_;
};

}  // namespace

TFileContent TStdStoreFiles::ReadAll(const std::string& path) {
  std::error_code error;
  const std::filesystem::file_status status = std::filesystem::status(path, error);
  if (status.type() == std::filesystem::file_type::not_found) return {};
  if (error) return {std::nullopt, error.message()};
  if (status.type() != std::filesystem::file_type::regular) return {std::nullopt, "Not a file."};
  std::ifstream in(path, std::ios::binary);
  if (!in) return {std::nullopt, "The file cannot be opened."};
  std::string content{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  if (in.bad()) return {std::nullopt, "The file cannot be read."};
  return {std::move(content), {}};
}

std::unique_ptr<IStoreFile> TStdStoreFiles::CreateNew(const std::string& path) {
  std::ofstream stream(path, std::ios::binary | std::ios::trunc);
  if (!stream) return nullptr;
  return std::make_unique<TStdStoreFile>(std::move(stream));
}

bool TStdStoreFiles::ReplaceAtomically(const std::string& from, const std::string& to) {
  std::error_code error;
  std::filesystem::rename(from, to, error);
  return !error;
}

bool TStdStoreFiles::Remove(const std::string& path) {
  std::error_code error;
  std::filesystem::remove(path, error);
  return !error;
}
