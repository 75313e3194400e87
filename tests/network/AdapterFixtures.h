#pragma once

#include <string>
#include <utility>

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

// A record naming an adapter and nothing else, as the editor's adapter box does.
inline TNetInfo Named(std::string lan, std::string id = "", std::string mac = "") {
  TNetInfo profile;
  profile.LAN = std::move(lan);
  profile.AdapterId = std::move(id);
  profile.AdapterMac = std::move(mac);
  return profile;
}

// The GUID of the office adapter once a profile has learned it.
inline constexpr char kOfficeAdapterId[] = "{11111111-2222-3333-4444-555555555555}";

// OfficeProfile bound to the office adapter's GUID.
inline TNetInfo BoundOfficeProfile(const char* lan = "Ethernet") {
  TNetInfo profile = WithLan(OfficeProfile(), lan);
  profile.AdapterId = kOfficeAdapterId;
  return profile;
}

// OfficeAdapter with its GUID, under `name`.
inline TAdapterState OfficeAdapterNamed(const char* name) {
  TAdapterState adapter = OfficeAdapter();
  adapter.FriendlyName = name;
  adapter.Id = kOfficeAdapterId;
  return adapter;
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
