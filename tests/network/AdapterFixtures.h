#pragma once

#include "AdapterState.h"
#include "NetInfo.h"

// An adapter that is exactly as OfficeProfile wants it.
inline TAdapterState OfficeAdapter() {
  TAdapterState adapter;
  adapter.FriendlyName = "Ethernet";
  adapter.Up = true;
  adapter.Addresses = {{"10.0.0.5", 24}};
  adapter.Gateways = {"10.0.0.1"};
  adapter.DnsServers = {"10.0.0.1", "10.0.0.2"};
  return adapter;
}

// A normalised static profile for the adapter "Ethernet".
inline TNetInfo OfficeProfile() {
  return {"Ethernet", false, "10.0.0.5", "255.255.255.0", "10.0.0.1", "10.0.0.1", "10.0.0.2", "none"};
}

// A normalised DHCP profile for the adapter "Ethernet".
inline TNetInfo HomeProfile() { return {"Ethernet", true, "none", "255.255.255.0", "none", "none", "none", "none"}; }

inline TNetInfo WithLan(TNetInfo profile, const char* lan) {
  profile.LAN = lan;
  return profile;
}

inline TAdapterReading ReadingOf(std::vector<TAdapterState> adapters) {
  TAdapterReading reading;
  reading.Adapters = std::move(adapters);
  return reading;
}

inline TAdapterReading FailedReading(unsigned long error, std::string text) {
  TAdapterReading reading;
  reading.Ok = false;
  reading.Error = error;
  reading.ErrorText = std::move(text);
  return reading;
}
