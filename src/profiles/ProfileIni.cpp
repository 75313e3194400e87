#include "ProfileIni.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <optional>
#include <vector>

#include "IniFile.h"
#include "IniNameIndex.h"
#include "IniText.h"
#include "ProfileFields.h"

namespace {

// The adapter's identity and the profile's network, after the eight keys every store
// has: a store of profiles whose identity and network were never learned keeps exactly
// those eight, and programs that read only them find them where they always were.
struct TOptionalKey {
  std::string_view Name;
  std::string TNetInfo::*Member;
};
constexpr std::array<TOptionalKey, 6> kOptionalKeys = {{
    {"AdapterId", &TNetInfo::AdapterId},
    {"AdapterMac", &TNetInfo::AdapterMac},
    {"NetworkGateway", &TNetInfo::NetworkGateway},
    {"NetworkGatewayMac", &TNetInfo::NetworkGatewayMac},
    {"NetworkWifi", &TNetInfo::NetworkWifi},
    {"OnNetwork", &TNetInfo::OnNetwork},
}};

// The store's keys, in the order they are written: LAN, DHCP, the address fields, then
// the optional keys, which are written only when they hold something.
constexpr std::size_t kLanKey = 0;
constexpr std::size_t kDhcpKey = 1;
constexpr std::size_t kFirstAddressKey = 2;
constexpr std::size_t kFirstOptionalKey = kFirstAddressKey + kAddressFields.size();
constexpr std::size_t kKeyCount = kFirstOptionalKey + kOptionalKeys.size();

constexpr std::array<std::string_view, kKeyCount> kKeyNames = [] {
  std::array<std::string_view, kKeyCount> names{};
  names[kLanKey] = "LAN";
  names[kDhcpKey] = "DHCP";
  for (std::size_t i = 0; i < kAddressFields.size(); ++i) {
    names[kFirstAddressKey + i] = kAddressFields[i].Key;
  }
  for (std::size_t i = 0; i < kOptionalKeys.size(); ++i) {
    names[kFirstOptionalKey + i] = kOptionalKeys[i].Name;
  }
  return names;
}();

// The text member behind each key; DHCP, the boolean, has none.
constexpr std::array<std::string TNetInfo::*, kKeyCount> kTextMembers = [] {
  std::array<std::string TNetInfo::*, kKeyCount> members{};
  members[kLanKey] = &TNetInfo::LAN;
  for (std::size_t i = 0; i < kAddressFields.size(); ++i) {
    members[kFirstAddressKey + i] = kAddressFields[i].Member;
  }
  for (std::size_t i = 0; i < kOptionalKeys.size(); ++i) {
    members[kFirstOptionalKey + i] = kOptionalKeys[i].Member;
  }
  return members;
}();

std::optional<std::size_t> StoreKeyNamed(std::string_view name) {
  if (name.empty()) return std::nullopt;
  // The first letter rules out most names before they are compared whole.
  const char first = FoldedIniChar(name.front());
  for (std::size_t i = 0; i < kKeyNames.size(); ++i) {
    if (FoldedIniChar(kKeyNames[i].front()) == first && IniNamesEqual(name, kKeyNames[i])) return i;
  }
  return std::nullopt;
}

// About how many sections a file holds, to make room for them at once: its "[" bytes,
// but no more than one per 64 bytes (a store's section with its keys takes some 200), so
// that a file of brackets reserves no more than its size warrants.
std::size_t SectionEstimate(std::string_view bytes) {
  const auto brackets = static_cast<std::size_t>(std::count(bytes.begin(), bytes.end(), '['));
  return std::min(brackets, bytes.size() / 64);
}

// Collects the profiles as the private-profile functions would read them: the first
// section of each name, and in it the first key of each name (a key without "=" counts
// and reads as the default).
class TProfileCollector : public IIniVisitor {
 public:
  void Reserve(std::size_t sections) {
    profiles_.reserve(sections);
    known_.Reserve(sections);
  }

  void Section(std::string_view name) override {
    reading_ = !name.empty() && known_.Add(name).second;
    if (!reading_) return;
    profiles_.push_back(TProfileEntry{std::string(name), {}});
    seen_ = {};
  }

  void Key(std::string_view name, std::string_view value, bool hasValue) override {
    if (!reading_) return;
    const auto key = StoreKeyNamed(name);
    if (!key || seen_[*key]) return;
    seen_[*key] = true;
    if (!hasValue) return;
    TNetInfo& profile = profiles_.back().Profile;
    if (*key == kDhcpKey) {
      profile.DHCP = DhcpFromText(value);
    } else {
      profile.*kTextMembers[*key] = value;
    }
  }

  TProfileList Take() { return std::move(profiles_); }

 private:
  TProfileList profiles_;
  TIniNameIndex known_;
  bool reading_ = false;
  std::array<bool, kKeyCount> seen_{};
};

// One section of the store to be written: its caption as it will stand in the file and
// the profile whose values it gets.
struct TStoredSection {
  std::string_view Caption;
  const TNetInfo* Profile;
};

// Entries that name the same section merge as writing them one after the other would:
// the first entry's place and spelling, the last entry's values.
std::vector<TStoredSection> StoredSections(const TProfileList& profiles) {
  std::vector<TStoredSection> sections;
  sections.reserve(profiles.size());
  TIniNameIndex places;
  places.Reserve(profiles.size());
  for (const TProfileEntry& entry : profiles) {
    const std::string_view caption = StorableIniName(entry.Caption);
    if (caption.empty()) continue;
    const auto [number, isNew] = places.Add(caption);
    if (isNew) {
      sections.push_back({caption, &entry.Profile});
    } else {
      sections[number].Profile = &entry.Profile;
    }
  }
  return sections;
}

std::string_view StoredValue(const TNetInfo& profile, std::size_t key) {
  if (key == kDhcpKey) return profile.DHCP ? "1" : "0";
  return profile.*kTextMembers[key];
}

// An optional key with nothing to say is left out of its section.
bool IsWritten(const TNetInfo& profile, std::size_t key) {
  return key < kFirstOptionalKey || !StoredValue(profile, key).empty();
}

int DigitValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return 99;
}

}  // namespace

bool DhcpFromText(std::string_view text) {
  std::size_t i = 0;
  while (i < text.size() && static_cast<unsigned char>(text[i]) <= ' ') ++i;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) ++i;
  std::uint32_t base = 10;
  if (text.substr(i, 2) == "0x" || text.substr(i, 2) == "0X") {
    base = 16;
    i += 2;
  }
  // The sign does not change whether the number is 0, so it is not applied.
  std::uint32_t number = 0;
  for (; i < text.size(); ++i) {
    const auto digit = static_cast<std::uint32_t>(DigitValue(text[i]));
    if (digit >= base) break;
    number = number * base + digit;
  }
  return number != 0;
}

TProfileList ProfilesFromIni(std::string_view bytes) {
  TProfileCollector collector;
  collector.Reserve(SectionEstimate(bytes));
  ScanIni(bytes, collector);
  return collector.Take();
}

TProfileList StorableProfiles(const TProfileList& profiles) {
  TProfileList storable;
  for (const TStoredSection& section : StoredSections(profiles)) {
    TProfileEntry entry{std::string(section.Caption), *section.Profile};
    for (const auto member : kTextMembers) {
      if (member) entry.Profile.*member = StorableIniValue(entry.Profile.*member);
    }
    storable.push_back(std::move(entry));
  }
  return storable;
}

std::string IniFromProfiles(const TProfileList& profiles) {
  const std::vector<TStoredSection> sections = StoredSections(profiles);
  // Room for every line with its brackets, "=", quotes and line end, so that the text
  // is built without moving it.
  std::size_t size = 0;
  for (const TStoredSection& section : sections) {
    size += section.Caption.size() + 4;
    for (std::size_t key = 0; key < kKeyCount; ++key) {
      size += kKeyNames[key].size() + StoredValue(*section.Profile, key).size() + 5;
    }
  }
  std::string out;
  out.reserve(size);
  for (const TStoredSection& section : sections) {
    AppendIniSection(out, section.Caption);
    for (std::size_t key = 0; key < kKeyCount; ++key) {
      if (IsWritten(*section.Profile, key))
        AppendIniKey(out, kKeyNames[key], StoredValue(*section.Profile, key));
    }
  }
  return out;
}
