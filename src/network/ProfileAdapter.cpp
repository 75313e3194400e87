#include "ProfileAdapter.h"

#include <algorithm>
#include <cctype>

#include "AsciiCase.h"
#include "ProfileNetwork.h"

namespace {

constexpr char kDefaultLan[] = "Local Area Connection";

const TAdapterState* FirstWhere(const TAdapterReading& reading, auto predicate) {
  auto found = std::find_if(reading.Adapters.begin(), reading.Adapters.end(), predicate);
  return found == reading.Adapters.end() ? nullptr : &*found;
}

const TAdapterState* ByName(const TAdapterReading& reading, const std::string& name) {
  const auto exact = [&](const TAdapterState& adapter) { return adapter.FriendlyName == name; };
  if (const TAdapterState* spelled = FirstWhere(reading, exact)) return spelled;
  return FirstWhere(reading, [&](const TAdapterState& adapter) {
    return InterfaceNamesEqual(adapter.FriendlyName, name);
  });
}

// "{0123ABCD-0000-0000-0000-4E6574446576}": a GUID in braces, as adapters are known by.
bool IsGuidText(std::string_view text) {
  constexpr std::string_view kForm = "{XXXXXXXX-XXXX-XXXX-XXXX-XXXXXXXXXXXX}";
  return std::equal(text.begin(), text.end(), kForm.begin(), kForm.end(), [](char c, char form) {
    return form == 'X' ? std::isxdigit(static_cast<unsigned char>(c)) != 0 : c == form;
  });
}

// The profile's identity when it is one; anything else in the store is no identity.
bool HasIdentity(const TNetInfo& profile) { return IsGuidText(profile.AdapterId); }

const TAdapterState* ById(const TAdapterReading& reading, const std::string& id) {
  if (!IsGuidText(id)) return nullptr;
  return FirstWhere(reading, [&](const TAdapterState& adapter) {
    return InterfaceNamesEqual(adapter.Id, id);
  });
}

const TAdapterState* ByUniqueHardwareAddress(const TAdapterReading& reading,
                                             const std::string& address) {
  if (address.empty()) return nullptr;
  const auto hasIt = [&](const TAdapterState& adapter) {
    return InterfaceNamesEqual(adapter.HardwareAddress, address);
  };
  if (std::count_if(reading.Adapters.begin(), reading.Adapters.end(), hasIt) != 1) return nullptr;
  return FirstWhere(reading, hasIt);
}

TAdapterFinding Sameness(const TAdapterState& adapter, const std::string& lan) {
  return InterfaceNamesEqual(adapter.FriendlyName, lan) ? TAdapterFinding::Same
                                                        : TAdapterFinding::Renamed;
}

}  // namespace

bool InterfaceNamesEqual(std::string_view a, std::string_view b) {
  return EqualFoldingAscii(a, b);
}

TProfileAdapter FindProfileAdapter(const TAdapterReading& reading, const TNetInfo& profile) {
  if (const TAdapterState* own = ById(reading, profile.AdapterId))
    return {own, Sameness(*own, profile.LAN)};
  if (const TAdapterState* named = ByName(reading, profile.LAN)) {
    // An adapter that shows no GUID cannot be told apart from the profile's own.
    const bool other = HasIdentity(profile) && !named->Id.empty();
    return {named, other ? TAdapterFinding::Different : TAdapterFinding::Same};
  }
  if (const TAdapterState* clue = ByUniqueHardwareAddress(reading, profile.AdapterMac))
    return {clue, Sameness(*clue, profile.LAN)};
  return {};
}

bool BindToAdapter(TNetInfo& profile, const TAdapterState& adapter) {
  if (profile.LAN == adapter.FriendlyName && profile.AdapterId == adapter.Id &&
      profile.AdapterMac == adapter.HardwareAddress)
    return false;
  profile.LAN = adapter.FriendlyName;
  profile.AdapterId = adapter.Id;
  profile.AdapterMac = adapter.HardwareAddress;
  return true;
}

bool BindVerified(TNetInfo& profile, const TAdapterState& adapter) {
  TAdapterReading verified;
  verified.Adapters = {adapter};
  if (!FindProfileAdapter(verified, profile).Adapter) return false;
  const TNetInfo before = profile;
  BindToAdapter(profile, adapter);
  RememberNetwork(profile, adapter);
  return profile != before;
}

const TAdapterState* NewProfileAdapter(const TAdapterReading& reading) {
  if (!reading.Ok || ByName(reading, kDefaultLan)) return nullptr;
  return FirstWhere(reading, [](const TAdapterState& adapter) { return !adapter.Gateways.empty(); });
}

std::string FoundAdapterName(const TProfileAdapter& found, const std::string& lan,
                             std::string_view renamedWord) {
  switch (found.How) {
    case TAdapterFinding::Renamed:
      return found.Adapter->FriendlyName + " (" + std::string(renamedWord) + " \"" + lan + "\")";
    case TAdapterFinding::Different:
      return lan + " (a different adapter from the one the profile was made on)";
    default:
      return lan;
  }
}
