#include "ProfileNetwork.h"

#include <string_view>

#include "AsciiCase.h"
#include "HardwareAddress.h"
#include "ProfileAdapter.h"

namespace {

std::string_view WithoutBlanks(std::string_view text) {
  constexpr std::string_view kBlanks = " \t";
  const std::size_t first = text.find_first_not_of(kBlanks);
  if (first == std::string_view::npos) return {};
  return text.substr(first, text.find_last_not_of(kBlanks) - first + 1);
}

}  // namespace

TNetworkAction NetworkActionOf(const TNetInfo& profile) {
  const std::string_view word = WithoutBlanks(profile.OnNetwork);
  if (EqualFoldingAscii(word, "offer")) return TNetworkAction::Offer;
  if (EqualFoldingAscii(word, "switch")) return TNetworkAction::Switch;
  return TNetworkAction::Nothing;
}

void RememberNetwork(TNetInfo& profile, const TAdapterState& adapter) {
  const bool gatewayKnown = ParseHardwareAddress(adapter.GatewayHardwareAddress).has_value();
  if (!adapter.Up || (!gatewayKnown && adapter.WifiNetwork.empty())) return;
  profile.NetworkGateway =
      gatewayKnown && !adapter.Gateways.empty() ? adapter.Gateways.front() : std::string();
  profile.NetworkGatewayMac = gatewayKnown ? adapter.GatewayHardwareAddress : std::string();
  profile.NetworkWifi = adapter.WifiNetwork;
}

bool ProfileNetworkIsHere(const TNetInfo& profile, const TAdapterState& adapter) {
  if (!adapter.Up) return false;
  if (!profile.NetworkWifi.empty()) return adapter.WifiNetwork == profile.NetworkWifi;
  const auto remembered = ParseHardwareAddress(profile.NetworkGatewayMac);
  const auto current = ParseHardwareAddress(adapter.GatewayHardwareAddress);
  return remembered && current && *remembered == *current;
}

const TAdapterState* AdapterOnProfileNetwork(const TAdapterReading& reading,
                                             const TNetInfo& profile) {
  const TAdapterState* adapter = FindProfileAdapter(reading, profile).Adapter;
  return adapter && ProfileNetworkIsHere(profile, *adapter) ? adapter : nullptr;
}

std::string NetworkDescription(const TNetInfo& profile) {
  if (!profile.NetworkWifi.empty()) return "Network: Wi-Fi \"" + profile.NetworkWifi + "\"";
  if (const auto gateway = ParseHardwareAddress(profile.NetworkGatewayMac)) {
    const std::string address = HardwareAddressText(*gateway);
    if (profile.NetworkGateway.empty()) return "Network: gateway " + address;
    return "Network: gateway " + profile.NetworkGateway + " (" + address + ")";
  }
  return "Network: not known yet; apply the profile once on its network";
}
