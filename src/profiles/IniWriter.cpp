#include <algorithm>

#include "IniFile.h"
#include "IniText.h"

namespace {

constexpr std::string_view kLineEnd = "\r\n";

// Up to the first character that no line of the file can hold.
std::string_view OneLine(std::string_view text) {
  return text.substr(0, std::min(text.find_first_of(std::string_view("\r\n\0", 3)), text.size()));
}

void AppendSection(std::string& out, const TIniSection& section) {
  out += '[';
  out += StorableIniName(section.Name);
  out += ']';
  out += kLineEnd;
}

void AppendKey(std::string& out, const TIniKey& key) {
  out += OneLine(key.Name);
  if (key.HasValue) {
    const std::string_view value = OneLine(key.Value);
    out += '=';
    if (IniValueNeedsQuotes(value)) {
      out += '"';
      out += value;
      out += '"';
    } else {
      out += value;
    }
  }
  out += kLineEnd;
}

}  // namespace

std::string StorableIniName(std::string_view name) {
  return std::string(TrimIniBlanks(OneLine(name)));
}

std::string StorableIniValue(std::string_view value) { return std::string(OneLine(value)); }

std::string FormatIni(const TIniFile& file) {
  std::string out;
  for (const TIniSection& section : file) {
    AppendSection(out, section);
    for (const TIniKey& key : section.Keys) AppendKey(out, key);
  }
  return out;
}
