#include "Win32FileSystem.h"

#include <limits>

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
