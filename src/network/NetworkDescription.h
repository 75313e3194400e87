#pragma once

#include <string>

#include "NetInfo.h"

// The profile's remembered network in words, as the editor shows it: its Wi-Fi name when
// it has one (the name tells a wireless network apart better than its router does), else
// its gateway with the gateway's hardware address, else that it is not known yet.
std::string NetworkDescription(const TNetInfo& profile);
