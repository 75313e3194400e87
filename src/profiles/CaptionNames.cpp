#include "CaptionNames.h"

#include <unordered_set>

#include "IniFile.h"
#include "IniText.h"

namespace {

std::string SectionKey(std::string_view caption) { return FoldedIniName(StorableIniName(caption)); }

}  // namespace

bool NamesASection(std::string_view caption) { return !StorableIniName(caption).empty(); }

bool NameTheSameSection(std::string_view a, std::string_view b) {
  return IniNamesEqual(StorableIniName(a), StorableIniName(b));
}

std::string FreeCaption(const std::string& base, const std::vector<std::string>& taken) {
  std::unordered_set<std::string> keys;
  keys.reserve(taken.size());
  for (const std::string& caption : taken) keys.insert(SectionKey(caption));
  std::string caption = base;
  // At most one number per caption taken: the loop ends by then.
  for (std::size_t number = 2; keys.count(SectionKey(caption)) != 0; ++number)
    caption = base + " " + std::to_string(number);
  return caption;
}
