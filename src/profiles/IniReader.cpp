#include "IniFile.h"
#include "IniText.h"

namespace {

constexpr std::string_view kUtf8ByteOrderMark = "\xEF\xBB\xBF";

// A name between brackets or before "=": everything after a NUL is invisible to the
// private-profile functions, and blanks are dropped once that is gone.
std::string NameText(std::string_view raw) { return std::string(TrimIniBlanks(CutAtNul(raw))); }

// A value after "=": trimmed first (a blank just before a NUL survives, as it does for
// the private-profile functions), then cut at a NUL, then unquoted.
std::string ValueText(std::string_view raw) {
  return std::string(UnquotedIniValue(CutAtNul(TrimIniBlanks(raw))));
}

bool IsSectionHeader(std::string_view line, std::string_view::size_type& closing) {
  if (line.front() != '[') return false;
  closing = line.rfind(']');
  return closing != std::string_view::npos && closing > 0;
}

TIniKey KeyFromLine(std::string_view line) {
  const auto equals = line.find('=');
  if (equals == std::string_view::npos) return TIniKey{NameText(line), "", false};
  return TIniKey{NameText(line.substr(0, equals)), ValueText(line.substr(equals + 1)), true};
}

class TIniReader {
 public:
  TIniFile Read(std::string_view bytes) {
    if (bytes.starts_with(kUtf8ByteOrderMark)) bytes.remove_prefix(kUtf8ByteOrderMark.size());
    while (!bytes.empty()) {
      const auto end = bytes.find_first_of("\r\n");
      ReadLine(TrimIniBlanks(bytes.substr(0, end)));
      if (end == std::string_view::npos) break;
      bytes.remove_prefix(end + 1);
    }
    return std::move(file_);
  }

 private:
  void ReadLine(std::string_view line) {
    if (line.empty()) return;
    std::string_view::size_type closing = 0;
    if (IsSectionHeader(line, closing)) {
      file_.push_back(TIniSection{NameText(line.substr(1, closing - 1)), {}});
      return;
    }
    if (file_.empty()) file_.push_back(TIniSection{});
    file_.back().Keys.push_back(KeyFromLine(line));
  }

  TIniFile file_;
};

}  // namespace

TIniFile ParseIni(std::string_view bytes) { return TIniReader().Read(bytes); }
