#include "CurrentSettings.h"

#include <optional>
#include <vector>

#include "Ipv4.h"
#include "ProfileAdapter.h"

namespace {

std::string MaskedAddress(TIpv4 address) {
  std::string text;
  for (int shift = 24; shift >= 0; shift -= 8) {
    std::string octet = std::to_string((address >> shift) & 0xFF);
    octet.resize(3, ' ');
    text += text.empty() ? octet : "." + octet;
  }
  return text;
}

std::string MaskedItem(const std::vector<std::string>& list, std::size_t index) {
  return index < list.size() ? MaskedAddressText(list[index]) : std::string(kBlankAddressText);
}

std::string MaskedMask(int prefixLength) {
  std::optional<TIpv4> mask = PrefixMask(prefixLength);
  return mask ? MaskedAddress(*mask) : std::string(kBlankAddressText);
}

}  // namespace

std::string MaskedAddressText(const std::string& dotted) {
  std::optional<TIpv4> address = ParseIpv4(dotted);
  return address ? MaskedAddress(*address) : std::string(kBlankAddressText);
}

TNetInfo CurrentSettings(const TAdapterState& adapter) {
  TNetInfo settings;
  BindToAdapter(settings, adapter);
  settings.DHCP = adapter.Dhcp;
  const bool hasAddress = !adapter.Addresses.empty();
  settings.IP = hasAddress ? MaskedAddressText(adapter.Addresses.front().Address)
                           : std::string(kBlankAddressText);
  settings.SN = hasAddress ? MaskedMask(adapter.Addresses.front().PrefixLength)
                           : std::string(kBlankAddressText);
  settings.DG = MaskedItem(adapter.Gateways, 0);
  settings.DNS = MaskedItem(adapter.DnsServers, 0);
  settings.ADNS = MaskedItem(adapter.DnsServers, 1);
  settings.WINS = MaskedAddressText(adapter.PrimaryWins);
  return settings;
}
