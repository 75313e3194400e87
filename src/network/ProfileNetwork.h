#pragma once

#include <string>

#include "AdapterState.h"
#include "NetInfo.h"

// What a profile asks for when its network is here.
enum class TNetworkAction { Nothing, Offer, Switch };

// The profile's OnNetwork: "offer" or "switch" in any letter case, blanks (spaces, tabs)
// around it ignored. Anything else, empty included, is Nothing: a value that does not
// parse is never acted on.
TNetworkAction NetworkActionOf(const TNetInfo& profile);

// The profile remembers the network `adapter` is on: its first gateway with that gateway's
// hardware address, and its Wi-Fi name. Only a reading that identifies a network replaces
// what was remembered, and then replaces all of it (a Wi-Fi name read drops an old
// gateway-only record, and a gateway read on a wired adapter drops an old Wi-Fi name):
// an adapter that is down, or one whose gateway's hardware address is unknown (or is no
// hardware address) and that has no Wi-Fi name, tells nothing new, so the profile keeps
// what it had. The gateway's address is kept only with its hardware address; alone it
// names no network (every home router is 192.168.1.1).
void RememberNetwork(TNetInfo& profile, const TAdapterState& adapter);

// The profile's remembered network is the one `adapter` is on now. A remembered Wi-Fi name
// is the network (the name as bytes, case-sensitive; the gateway's hardware address is
// then not asked, so roaming between access points and a new router keep the network);
// without one, the gateway's hardware address, compared as an address (letter case and
// "-" or ":" do not matter; text that is no hardware address matches nothing). A profile
// that remembers nothing is never here, and an adapter that is down is on no network.
bool ProfileNetworkIsHere(const TNetInfo& profile, const TAdapterState& adapter);

// The profile's adapter in `reading` (FindProfileAdapter) when the profile's remembered
// network is on it now; null otherwise.
const TAdapterState* AdapterOnProfileNetwork(const TAdapterReading& reading,
                                             const TNetInfo& profile);

// The editor's line for the remembered network, as ProfileNetworkIsHere sees it:
//   Network: Wi-Fi "Office"
//   Network: gateway 192.168.1.1 (00-11-22-33-44-55)
//   Network: not known yet; apply the profile once on its network
// A Wi-Fi name wins over a gateway. A gateway hardware address that does not parse is not
// known (it is never matched, and applying the profile on its network replaces it); one
// that parses is shown as the system writes it. A missing gateway address leaves just the
// hardware address: "Network: gateway 00-11-22-33-44-55".
std::string NetworkDescription(const TNetInfo& profile);
