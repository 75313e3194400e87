#include "AdapterStatus.h"

#include "ProfileAdapter.h"
#include "ReportText.h"

std::string SettingsDescription(const TAdapterState& adapter) {
  std::vector<std::string> parts{JoinedList(AddressesWithPrefix(adapter.Addresses), "no address") +
                                 (adapter.Dhcp ? " (DHCP)" : "")};
  if (!adapter.Gateways.empty()) parts.push_back("gateway " + JoinedList(adapter.Gateways));
  if (!adapter.DnsServers.empty()) parts.push_back("DNS " + JoinedList(adapter.DnsServers));
  return JoinedList(parts);
}

std::string ReadingErrorText(const TAdapterReading& reading) {
  return FailureReason(reading.ErrorText, reading.Error);
}

std::string AdapterStatusText(const TAdapterReading& reading, const TNetInfo& profile) {
  const std::string& name = profile.LAN;
  if (!reading.Ok) return "Adapter state could not be read: " + ReadingErrorText(reading);
  if (name.empty()) return "No adapter name given";
  const TProfileAdapter found = FindProfileAdapter(reading, profile);
  const TAdapterState* adapter = found.Adapter;
  if (!adapter) return name + ": no such adapter on this computer";
  std::string text = FoundAdapterName(found, name, "was") + ": " +
                     (adapter->Up ? "connected, " + SettingsDescription(*adapter) : "disconnected");
  if (!adapter->NameExact) text += "; this name cannot be passed to netsh exactly";
  return text;
}
