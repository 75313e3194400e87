#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "AdapterState.h"
#include "NetInfo.h"

// A member of a profile that the adapter does not have as the profile wants it.
enum class TProfileField { DHCP, Address, Gateway, DNS, AlternateDNS };

// The member's word in a report: "DHCP", "address", "gateway", "DNS", "alternate DNS".
std::string_view FieldWord(TProfileField field);

// One difference, in words ready for a report: Has is what the adapter has, Wanted what
// the profile asks for, both as a user reads them ("192.168.1.1", "10.0.0.5/24",
// "none", "on", "off").
struct TFieldDifference {
  TProfileField Field;
  std::string Has;
  std::string Wanted;

  friend bool operator==(const TFieldDifference&, const TFieldDifference&) = default;
};

// Compares a normalised profile (NormalisedCopy) with an adapter's state. A DHCP profile
// wants DHCP on and nothing else. A static profile wants DHCP off, its address with its
// mask among the adapter's addresses, its gateway among the adapter's gateways, and the
// adapter's DNS servers to be its preferred and alternate one, in that order; "none" means
// the adapter has none there. WINS is not compared.
// Empty when the adapter is as the profile wants it.
std::vector<TFieldDifference> CompareProfile(const TNetInfo& normalised,
                                             const TAdapterState& adapter);

// The members that CompareProfile looks at for this profile: DHCP alone for a DHCP
// profile, DHCP (wanted off), Address, Gateway, DNS and AlternateDNS for a static one.
std::vector<TProfileField> ComparedFields(const TNetInfo& normalised);

inline bool ProfileMatches(const TNetInfo& normalised, const TAdapterState& adapter) {
  return CompareProfile(normalised, adapter).empty();
}
