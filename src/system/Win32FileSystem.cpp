#include "Win32FileSystem.h"

#include <limits>
#include <optional>
#include <utility>

#include "Win32KernelHandle.h"

namespace {

// The absolute form the user is shown; the path as given if it has none.
std::string FullPathOf(const std::string& path) {
  DWORD needed = GetFullPathNameA(path.c_str(), 0, nullptr, nullptr);
  if (needed == 0) return path;
  std::string full(needed, '\0');
  DWORD length = GetFullPathNameA(path.c_str(), needed, full.data(), nullptr);
  if (length == 0 || length >= needed) return path;
  full.resize(length);
  return full;
}

// Another holder keeps the file open without sharing writes.
bool HeldByAnother(DWORD error) {
  return error == ERROR_SHARING_VIOLATION || error == ERROR_LOCK_VIOLATION;
}

class TWin32HeldFile : public IHeldFile {
 public:
  explicit TWin32HeldFile(TKernelHandle file) : file_(std::move(file)) {}

  std::optional<std::string> ReadBack() override {
    if (!file_) return std::nullopt;
    LARGE_INTEGER start{};
    if (!SetFilePointerEx(file_.Get(), start, nullptr, FILE_BEGIN)) return std::nullopt;
    std::string bytes;
    char buffer[4096];
    for (;;) {
      DWORD read = 0;
      if (!ReadFile(file_.Get(), buffer, sizeof buffer, &read, nullptr)) return std::nullopt;
      if (read == 0) return bytes;
      bytes.append(buffer, read);
    }
  }

 private:
  TKernelHandle file_;
};

}  // namespace

void TWin32FileSystem::WriteNew(const std::string& path, std::string_view bytes) {
  TKernelHandle file(CreateFileA(path.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                                 CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) {
    DWORD error = GetLastError();
    if (HeldByAnother(error))
      throw TFileInUse(TFileError::CannotCreate(FullPathOf(path), SystemErrorText(error)).what());
    throw TFileError::CannotCreate(FullPathOf(path), SystemErrorText(error));
  }
  if (bytes.size() > std::numeric_limits<DWORD>::max()) throw TFileError::WriteFailed();
  DWORD written = 0;
  if (!WriteFile(file.Get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) ||
      written != bytes.size())
    throw TFileError::WriteFailed();
}

std::unique_ptr<IHeldFile> TWin32FileSystem::WriteHeld(const std::string& path,
                                                       std::string_view bytes) {
  WriteNew(path, bytes);
  if (betweenWriteAndHold_) betweenWriteAndHold_(path);
  TKernelHandle file(CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                 OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  // A file gone or replaced by one that cannot be opened so is held as nothing: it reads
  // back as unreadable.
  if (!file) {
    const DWORD error = GetLastError();
    if (HeldByAnother(error))
      throw TFileInUse(TFileError::CannotCreate(FullPathOf(path), SystemErrorText(error)).what());
  }
  return std::make_unique<TWin32HeldFile>(std::move(file));
}
