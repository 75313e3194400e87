#include "IniFile.h"
#include "IniText.h"

namespace {

constexpr std::string_view kLineEnd = "\r\n";

// Up to the first character that no line of the file can hold.
std::string_view OneLine(std::string_view text) {
  std::size_t end = 0;
  while (end < text.size() && text[end] != '\r' && text[end] != '\n' && text[end] != '\0') ++end;
  return text.substr(0, end);
}

}  // namespace

std::string_view StorableIniName(std::string_view name) {
  return TrimIniBlanks(OneLine(name));
}

std::string_view StorableIniValue(std::string_view value) {
  return OneLine(value);
}

void AppendIniSection(std::string& out, std::string_view name) {
  out += '[';
  out += StorableIniName(name);
  out += ']';
  out += kLineEnd;
}

void AppendIniKey(std::string& out, std::string_view name, std::string_view value) {
  out += OneLine(name);
  out += '=';
  value = StorableIniValue(value);
  if (IniValueNeedsQuotes(value)) {
    out += '"';
    out += value;
    out += '"';
  } else {
    out += value;
  }
  out += kLineEnd;
}

std::string FormatIni(const TIniFile& file) {
  std::string out;
  for (const TIniSection& section : file) {
    AppendIniSection(out, section.Name);
    for (const TIniKey& key : section.Keys) {
      if (key.HasValue) {
        AppendIniKey(out, key.Name, key.Value);
      } else {
        out += OneLine(key.Name);
        out += kLineEnd;
      }
    }
  }
  return out;
}
