#include "NetworkDescription.h"

std::string NetworkDescription(const TNetInfo& profile) {
  if (!profile.NetworkWifi.empty()) return "Network: Wi-Fi \"" + profile.NetworkWifi + "\"";
  if (!profile.NetworkGatewayMac.empty()) {
    // A hand-edited store may hold the hardware address without the gateway's address.
    const std::string gateway =
        profile.NetworkGateway.empty() ? std::string() : profile.NetworkGateway + " ";
    return "Network: gateway " + gateway + "(" + profile.NetworkGatewayMac + ")";
  }
  return "Network: not known yet; apply the profile once on its network";
}
