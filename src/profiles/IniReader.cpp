#include "IniFile.h"

#include <algorithm>

#include "IniText.h"

namespace {

constexpr std::string_view kUtf8ByteOrderMark = "\xEF\xBB\xBF";

// A name between brackets or before "=": everything after a NUL is invisible to the
// private-profile functions, and blanks are dropped once that is gone.
std::string_view NameText(std::string_view raw) {
  return TrimIniBlanks(CutAtNul(raw));
}

// A value after "=": trimmed first (a blank just before a NUL survives, as it does for
// the private-profile functions), then cut at a NUL, then unquoted.
std::string_view ValueText(std::string_view raw) {
  return UnquotedIniValue(CutAtNul(TrimIniBlanks(raw)));
}

void ScanLine(std::string_view line, IIniVisitor& visitor) {
  if (line.empty()) return;
  if (line.front() == '[') {
    const auto closing = line.rfind(']');
    if (closing != std::string_view::npos && closing > 0) {
      visitor.Section(NameText(line.substr(1, closing - 1)));
      return;
    }
  }
  // std::find rather than memchr, as for the line ends.
  const auto equals =
      static_cast<std::size_t>(std::find(line.begin(), line.end(), '=') - line.begin());
  if (equals == line.size()) {
    visitor.Key(NameText(line), {}, false);
  } else {
    visitor.Key(NameText(line.substr(0, equals)), ValueText(line.substr(equals + 1)), true);
  }
}

class TIniBuilder : public IIniVisitor {
 public:
  void Section(std::string_view name) override {
    file_.push_back(TIniSection{std::string(name), {}});
  }
  void Key(std::string_view name, std::string_view value, bool hasValue) override {
    if (file_.empty()) file_.push_back(TIniSection{});
    file_.back().Keys.push_back(TIniKey{std::string(name), std::string(value), hasValue});
  }
  TIniFile Take() { return std::move(file_); }

 private:
  TIniFile file_;
};

}  // namespace

void ScanIni(std::string_view bytes, IIniVisitor& visitor) {
  if (bytes.starts_with(kUtf8ByteOrderMark)) bytes.remove_prefix(kUtf8ByteOrderMark.size());
  // A plain loop rather than memchr for CR and LF: under Wine the C library's memchr
  // made the whole load measurably slower.
  std::size_t start = 0;
  for (std::size_t i = 0; i < bytes.size(); ++i) {
    if (bytes[i] != '\r' && bytes[i] != '\n') continue;
    ScanLine(TrimIniBlanks(bytes.substr(start, i - start)), visitor);
    start = i + 1;
  }
  ScanLine(TrimIniBlanks(bytes.substr(start)), visitor);
}

TIniFile ParseIni(std::string_view bytes) {
  TIniBuilder builder;
  ScanIni(bytes, builder);
  return builder.Take();
}
