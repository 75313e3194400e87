#pragma once

#include <optional>
#include <string>

#include "NetInfo.h"

// Why a profile must not reach netsh, read from its normalised copy; none when it may.
// netsh applies a script's lines one by one and stops at the first it rejects, so a
// profile with one bad member would leave the adapter half configured: each member that
// goes into the script is checked before anything is written.
// - The adapter's name goes between double quotes: it must be there and hold neither a
//   double quote nor a control character (`LAN name "a"b" cannot be given to netsh`).
// - A static profile: an address and a mask; every address member four numbers 0 to 255
//   or left blank (`WINS "300.1.1.1" is not an address`); the mask's one bits all at the
//   top (`Subnet Mask "255.0.255.0" is not a mask`). A DHCP profile's address members
//   are not in its script and are not checked.
// The text names the member as the editor labels it and quotes what the profile holds.
std::optional<std::string> ProfileProblem(const TNetInfo& normalised);
