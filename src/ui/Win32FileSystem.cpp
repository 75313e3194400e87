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

// FormatMessage's buffer, freed with LocalFree.
class TLocalText {
 public:
  TLocalText() = default;
  ~TLocalText() {
    if (text_) LocalFree(text_);
  }
  TLocalText(const TLocalText&) = delete;
  TLocalText& operator=(const TLocalText&) = delete;

  char** Receiver() { return &text_; }
  const char* Get() const { return text_; }

 private:
  char* text_ = nullptr;
};

}  // namespace

std::string SystemErrorText(DWORD error) {
  TLocalText buffer;
  DWORD length = FormatMessageA(
      FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
      nullptr, error, 0, reinterpret_cast<char*>(buffer.Receiver()), 0, nullptr);
  if (length == 0 || !buffer.Get()) return "System error " + std::to_string(error) + ".";
  std::string text(buffer.Get(), length);
  std::string::size_type end = text.find_last_not_of(" \t\r\n");
  text.erase(end == std::string::npos ? 0 : end + 1);
  return text;
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
