#include "Win32FileSystem.h"

#include <limits>
#include <vector>

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

}  // namespace

std::optional<std::string> TWin32FileSystem::ReadAll(const std::string& path) {
  TKernelHandle file(CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                 OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) return std::nullopt;
  std::string content;
  std::vector<char> chunk(64 * 1024);
  for (;;) {
    DWORD read = 0;
    if (!ReadFile(file.Get(), chunk.data(), static_cast<DWORD>(chunk.size()), &read, nullptr))
      return std::nullopt;
    if (read == 0) return content;
    content.append(chunk.data(), read);
  }
}

void TWin32FileSystem::WriteNew(const std::string& path, std::string_view bytes) {
  TKernelHandle file(CreateFileA(path.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                                 CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) {
    DWORD error = GetLastError();
    throw TFileError::CannotCreate(FullPathOf(path), SystemErrorText(error));
  }
  if (bytes.size() > std::numeric_limits<DWORD>::max()) throw TFileError::WriteFailed();
  DWORD written = 0;
  if (!WriteFile(file.Get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) ||
      written != bytes.size())
    throw TFileError::WriteFailed();
}
