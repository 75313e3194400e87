#include "Win32StoreFiles.h"

#include <windows.h>

#include <algorithm>

#include "SystemErrorText.h"
#include "Win32KernelHandle.h"

namespace {

// WriteFile and ReadFile take at most a DWORD of bytes at a time.
constexpr std::size_t kLargestTransfer = 1u << 30;

class TWin32StoreFile : public IStoreFile {
 public:
  explicit TWin32StoreFile(TKernelHandle file) : file_(std::move(file)) {}

  bool Write(std::string_view bytes) override {
    while (!bytes.empty()) {
      const auto chunk = static_cast<DWORD>(std::min(bytes.size(), kLargestTransfer));
      DWORD written = 0;
      if (!WriteFile(file_.Get(), bytes.data(), chunk, &written, nullptr) || written != chunk) {
        return false;
      }
      bytes.remove_prefix(chunk);
    }
    return true;
  }

  bool Flush() override { return FlushFileBuffers(file_.Get()) != FALSE; }

  // Once FlushFileBuffers has succeeded the bytes are on the disk; closing can lose
  // nothing more, so it is not asked about.
  bool Close() override {
    file_ = TKernelHandle();
    return true;
  }

 private:
  TKernelHandle file_;
};

TFileContent Unreadable(DWORD error) { return {std::nullopt, SystemErrorText(error)}; }

}  // namespace

TFileContent TWin32StoreFiles::ReadAll(const std::string& path) {
  TKernelHandle file(CreateFileA(path.c_str(), GENERIC_READ,
                                 FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                 OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
  if (!file) {
    const DWORD error = GetLastError();
    if (error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND) return {};
    return Unreadable(error);
  }
  LARGE_INTEGER size{};
  if (!GetFileSizeEx(file.Get(), &size)) return Unreadable(GetLastError());
  // Read straight into the text, to the end rather than to the size: the file may grow or
  // shrink meanwhile. One byte more than the size lets the read that finds the end come
  // without growing the text first.
  std::string content(static_cast<std::size_t>(size.QuadPart) + 1, '\0');
  std::size_t filled = 0;
  for (;;) {
    if (filled == content.size()) content.resize(content.size() * 2);
    const auto wanted = static_cast<DWORD>(std::min(content.size() - filled, kLargestTransfer));
    DWORD read = 0;
    if (!ReadFile(file.Get(), content.data() + filled, wanted, &read, nullptr))
      return Unreadable(GetLastError());
    if (read == 0) {
      content.resize(filled);
      return {std::move(content), {}};
    }
    filled += read;
  }
}

std::unique_ptr<IStoreFile> TWin32StoreFiles::CreateNew(const std::string& path) {
  TKernelHandle file(CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                 FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) return nullptr;
  return std::make_unique<TWin32StoreFile>(std::move(file));
}

bool TWin32StoreFiles::ReplaceAtomically(const std::string& from, const std::string& to) {
  return MoveFileExA(from.c_str(), to.c_str(),
                     MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != FALSE;
}

bool TWin32StoreFiles::Remove(const std::string& path) {
  if (DeleteFileA(path.c_str())) return true;
  const DWORD error = GetLastError();
  return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND;
}
