// Reads the adapters once and prints one line each, for adapter-e2e.sh to compare with
// what the host says:
//   name|up|address/prefix;...|gateway;...|dns;...|hardware address|gateway's hardware
//   address|Wi-Fi network
// A failed reading prints "error|code|text" on stderr and exits with 2.
// With READINGS PAUSE_MS it reads that many times, one process throughout as a running
// program does, with that pause between, and ends each reading with a line "---" (each
// written out at once), for a script that changes the host's interfaces meanwhile.
//   adapter_probe.exe [READINGS PAUSE_MS]
#include <windows.h>

#include <cstdio>
#include <cstdlib>
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

bool PrintReading(TWin32AdapterSource& source) {
  const TAdapterReading reading = source.Read();
  if (!reading.Ok) {
    std::fprintf(stderr, "error|%lu|%s\n", reading.Error, reading.ErrorText.c_str());
    return false;
  }
  for (const TAdapterState& a : reading.Adapters) {
    std::printf("%s|%s|%s|%s|%s|%s|%s|%s\n", a.FriendlyName.c_str(), a.Up ? "up" : "down",
                AddressesText(a.Addresses).c_str(), Joined(a.Gateways).c_str(),
                Joined(a.DnsServers).c_str(), a.HardwareAddress.c_str(),
                a.GatewayHardwareAddress.c_str(), a.WifiNetwork.c_str());
  }
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  TWin32AdapterSource source;
  if (argc < 3) return PrintReading(source) ? 0 : 2;
  const long readings = std::strtol(argv[1], nullptr, 10);
  const DWORD pause = std::strtoul(argv[2], nullptr, 10);
  for (long n = 0; n < readings; ++n) {
    if (n > 0) Sleep(pause);
    if (!PrintReading(source)) return 2;
    std::printf("---\n");
    std::fflush(stdout);
  }
  return 0;
}
