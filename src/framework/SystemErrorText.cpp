#include "SystemErrorText.h"

namespace {

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
