#include "AdapterStatus.h"

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

std::string AdapterStatusText(const TAdapterReading& reading, const std::string& name) {
  if (!reading.Ok) return "Adapter state could not be read: " + ReadingErrorText(reading);
  if (name.empty()) return "No adapter name given";
  const TAdapterState* adapter = FindAdapter(reading, name);
  if (!adapter) return name + ": no such adapter on this computer";
  std::string text = name + ": " +
                     (adapter->Up ? "connected, " + SettingsDescription(*adapter) : "disconnected");
  if (!adapter->NameExact) text += "; this name cannot be passed to netsh exactly";
  return text;
}
