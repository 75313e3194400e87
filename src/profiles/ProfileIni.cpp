#include "ProfileIni.h"

#include <array>
#include <cstdint>
#include <optional>
#include <unordered_map>

#include "IniFile.h"
#include "IniText.h"

namespace {

// The store's keys, in the order they are written.
enum class TStoreKey { LAN, DHCP, IP, SN, DG, DNS, ADNS, WINS };
constexpr std::array<std::string_view, 8> kKeyNames = {"LAN", "DHCP", "IP",   "SN",
                                                       "DG",  "DNS",  "ADNS", "WINS"};

// The text member behind each key (none for DHCP, which is a boolean).
constexpr std::array<std::string TNetInfo::*, 8> kTextMembers = {
    &TNetInfo::LAN, nullptr, &TNetInfo::IP, &TNetInfo::SN, &TNetInfo::DG, &TNetInfo::DNS,
    &TNetInfo::ADNS, &TNetInfo::WINS};

std::optional<TStoreKey> StoreKeyNamed(std::string_view name) {
  for (std::size_t i = 0; i < kKeyNames.size(); ++i) {
    if (IniNamesEqual(name, kKeyNames[i])) return static_cast<TStoreKey>(i);
  }
  return std::nullopt;
}

// The private-profile functions read the first key of each name in a section; a key
// without "=" counts and reads as the default.
TNetInfo ProfileFromSection(const TIniSection& section) {
  TNetInfo profile;
  std::array<bool, kKeyNames.size()> seen{};
  for (const TIniKey& key : section.Keys) {
    const auto storeKey = StoreKeyNamed(key.Name);
    if (!storeKey) continue;
    const auto index = static_cast<std::size_t>(*storeKey);
    if (seen[index]) continue;
    seen[index] = true;
    if (!key.HasValue) continue;
    if (*storeKey == TStoreKey::DHCP) {
      profile.DHCP = DhcpFromText(key.Value);
    } else {
      profile.*kTextMembers[index] = key.Value;
    }
  }
  return profile;
}

TIniSection SectionFromProfile(const TProfileEntry& entry) {
  const TNetInfo& profile = entry.Profile;
  TIniSection section{entry.Caption, {}};
  section.Keys.reserve(kKeyNames.size());
  for (std::size_t i = 0; i < kKeyNames.size(); ++i) {
    const auto key = static_cast<TStoreKey>(i);
    std::string value = key == TStoreKey::DHCP ? (profile.DHCP ? "1" : "0") : profile.*kTextMembers[i];
    section.Keys.push_back(TIniKey{std::string(kKeyNames[i]), std::move(value), true});
  }
  return section;
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
  const TIniFile file = ParseIni(bytes);
  TProfileList profiles;
  std::unordered_map<std::string, std::size_t> known;
  for (const TIniSection& section : file) {
    if (section.Name.empty()) continue;
    if (!known.emplace(FoldedIniName(section.Name), profiles.size()).second) continue;
    profiles.push_back(TProfileEntry{section.Name, ProfileFromSection(section)});
  }
  return profiles;
}

TProfileList StorableProfiles(const TProfileList& profiles) {
  TProfileList storable;
  std::unordered_map<std::string, std::size_t> places;
  for (const TProfileEntry& entry : profiles) {
    std::string caption = StorableIniName(entry.Caption);
    if (caption.empty()) continue;
    const auto [place, isNew] = places.emplace(FoldedIniName(caption), storable.size());
    if (isNew) {
      storable.push_back(TProfileEntry{std::move(caption), entry.Profile});
    } else {
      storable[place->second].Profile = entry.Profile;
    }
  }
  for (TProfileEntry& entry : storable) {
    for (const auto member : kTextMembers) {
      if (member) entry.Profile.*member = StorableIniValue(entry.Profile.*member);
    }
  }
  return storable;
}

std::string IniFromProfiles(const TProfileList& profiles) {
  TIniFile file;
  for (const TProfileEntry& entry : StorableProfiles(profiles)) {
    file.push_back(SectionFromProfile(entry));
  }
  return FormatIni(file);
}
