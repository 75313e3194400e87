#pragma once

#include <string>

#include "AdapterState.h"
#include "NetInfo.h"

// What an adapter has, in the words both the status bar and the apply report use:
// "10.0.0.5/24, gateway 10.0.0.1, DNS 10.0.0.1, 10.0.0.2". Every address is listed
// ("no address" when it has none), "(DHCP)" follows them when DHCP is on; the gateway
// and DNS parts are left out when the adapter has none.
std::string SettingsDescription(const TAdapterState& adapter);

// A failed reading's message on one line, or its error code when the system gave no text.
std::string ReadingErrorText(const TAdapterReading& reading);

// The status bar's text for the adapter that the editor names (its LAN and identity; the
// other members are not looked at):
//   "Ethernet: connected, 192.168.1.20/24 (DHCP), gateway 192.168.1.1, DNS 192.168.1.1"
//   "Ethernet: disconnected"
//   "Local Area Connection: no such adapter on this computer"
//   "Adapter state could not be read: <the system's message>"
//   "No adapter name given" (an empty name)
// The adapter is found as FindProfileAdapter finds it; one found under another name, or
// another adapter than the profile's own, is named as FoundAdapterName says:
//   "Ethernet 2 (was "Ethernet"): connected, ..."
// A name that the system's name could not be converted into exactly says so, since
// netsh would not find it.
std::string AdapterStatusText(const TAdapterReading& reading, const TNetInfo& profile);
