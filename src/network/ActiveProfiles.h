#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "AdapterState.h"
#include "NetInfo.h"

// A profile as the list shows it: its caption and its normalised copy (NormalisedCopy).
struct TNamedProfile {
  std::string Caption;
  TNetInfo Normalised;
};

// The indexes of the profiles that are in force now: their adapter is there, connected,
// and as the profile wants it. Several profiles may be active at once (one per adapter,
// or several alike).
std::vector<std::size_t> ActiveProfiles(const std::vector<TNamedProfile>& profiles,
                                        const TAdapterReading& reading);

// The longest tooltip the notification area shows (its record holds 128 bytes with the
// terminating zero).
inline constexpr std::size_t kTrayTipLimit = 127;

// The tray icon's tooltip: the title alone when no profile is active, else
// "Ardenix: Office on Ethernet, Lab on Wi-Fi". A text longer than kTrayTipLimit keeps the
// profiles that fit whole and ends in ", ..."; a first one that does not fit is cut and
// ends in "...".
std::string TrayTipText(const std::string& title, const std::vector<TNamedProfile>& profiles,
                        const std::vector<std::size_t>& active);
