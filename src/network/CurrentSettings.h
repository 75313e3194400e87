#pragma once

#include <string>

#include "AdapterState.h"
#include "NetInfo.h"

// The address field's 15-character text of a dotted address: each octet left-aligned in
// its three positions ("10.0.0.5" gives "10 .0  .0  .5  "). Text that is no address gives
// the blank field "   .   .   .   ".
std::string MaskedAddressText(const std::string& dotted);

// The editor's values for what the adapter has now: its name and identity, its DHCP flag, its first
// address with that address's mask, its first gateway, its first and second DNS server and
// its WINS server, each address in the field's masked form and blank where the adapter
// has none.
TNetInfo CurrentSettings(const TAdapterState& adapter);
