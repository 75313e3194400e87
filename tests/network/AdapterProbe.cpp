// Reads the adapters once and prints one line each, for adapter-e2e.sh to compare with
// what the host says:
//   name|up|address/prefix;...|gateway;...|dns;...|hardware address|gateway's hardware
//   address|Wi-Fi network
// A failed reading prints "error|code|text" on stderr and exits with 2.
#include <cstdio>
#include <string>
#include <vector>

#include "Win32AdapterSource.h"

namespace {

std::string Joined(const std::vector<std::string>& items) {
  std::string text;
  for (const std::string& item : items) text += (text.empty() ? "" : ";") + item;
  return text;
}

std::string AddressesText(const std::vector<TAdapterAddress>& addresses) {
  std::vector<std::string> items;
  for (const TAdapterAddress& a : addresses)
    items.push_back(a.Address + "/" + std::to_string(a.PrefixLength));
  return Joined(items);
}

}  // namespace

int main() {
  TWin32AdapterSource source;
  const TAdapterReading reading = source.Read();
  if (!reading.Ok) {
    std::fprintf(stderr, "error|%lu|%s\n", reading.Error, reading.ErrorText.c_str());
    return 2;
  }
  for (const TAdapterState& a : reading.Adapters) {
    std::printf("%s|%s|%s|%s|%s|%s|%s|%s\n", a.FriendlyName.c_str(), a.Up ? "up" : "down",
                AddressesText(a.Addresses).c_str(), Joined(a.Gateways).c_str(),
                Joined(a.DnsServers).c_str(), a.HardwareAddress.c_str(),
                a.GatewayHardwareAddress.c_str(), a.WifiNetwork.c_str());
  }
  return 0;
}
