#include "IniText.h"

#include <algorithm>

#include "AsciiCase.h"

namespace {

bool IsQuote(char c) {
  return c == '"' || c == '\'';
}

bool IsWrappedInQuotes(std::string_view value) {
  return value.size() >= 2 && IsQuote(value.front()) && value.back() == value.front();
}

}  // namespace

bool IsIniBlank(char c) {
  // Tab, line feed, vertical tab, form feed and carriage return are 9 to 13.
  return c == ' ' || (c >= '\t' && c <= '\r') || c == '\x1a';
}

std::string_view TrimIniBlanks(std::string_view text) {
  while (!text.empty() && IsIniBlank(text.front())) text.remove_prefix(1);
  while (!text.empty() && IsIniBlank(text.back())) text.remove_suffix(1);
  return text;
}

std::string_view CutAtNul(std::string_view text) {
  // std::find rather than memchr: names and values are short, and a call into the C
  // library costs more than the loop.
  const auto nul = std::find(text.begin(), text.end(), '\0');
  return text.substr(0, static_cast<std::size_t>(nul - text.begin()));
}

char FoldedIniChar(char c) { return FoldedAscii(c); }

bool IniNamesEqual(std::string_view a, std::string_view b) { return EqualFoldingAscii(a, b); }

std::string FoldedIniName(std::string_view name) {
  std::string folded(name);
  std::transform(folded.begin(), folded.end(), folded.begin(), FoldedIniChar);
  return folded;
}

std::string_view UnquotedIniValue(std::string_view value) {
  if (IsWrappedInQuotes(value)) return value.substr(1, value.size() - 2);
  return value;
}

bool IniValueNeedsQuotes(std::string_view value) {
  if (value.empty()) return false;
  return IsIniBlank(value.front()) || IsIniBlank(value.back()) || IsWrappedInQuotes(value);
}
