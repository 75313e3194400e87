#include "Win32AdapterSource.h"

#include <algorithm>
#include <cstdint>
#include <exception>
#include <map>
#include <string>
#include <vector>

#include "SystemErrorText.h"
#include "Win32AdapterNode.h"
#include "Win32NeighbourTable.h"

namespace {

// Buffers start at the size the IP helper's documentation recommends.
constexpr size_t kFirstBufferSize = 15 * 1024;
// The list can grow between the call that gave the size and the next one.
constexpr int kAttempts = 4;

// Each unicast address carries its own prefix length; the separate prefix list is not read.
constexpr ULONG kFlags =
    GAA_FLAG_INCLUDE_GATEWAYS | GAA_FLAG_SKIP_ANYCAST | GAA_FLAG_SKIP_MULTICAST;
// Names only: the friendly name stays, every list of addresses and servers is skipped.
constexpr ULONG kNamesFlags = GAA_FLAG_SKIP_UNICAST | GAA_FLAG_SKIP_ANYCAST |
                              GAA_FLAG_SKIP_MULTICAST | GAA_FLAG_SKIP_DNS_SERVER;

// Calls `query(buffer, &size)` until the buffer is big enough (both IP helper queries
// answer ERROR_BUFFER_OVERFLOW while it is not); returns its result.
template <typename TQuery>
ULONG QueryGrowing(std::vector<unsigned char>& buffer, TQuery query) {
  if (buffer.empty()) buffer.resize(kFirstBufferSize);
  ULONG result = ERROR_BUFFER_OVERFLOW;
  for (int attempt = 0; attempt < kAttempts && result == ERROR_BUFFER_OVERFLOW; ++attempt) {
    ULONG size = static_cast<ULONG>(buffer.size());
    result = query(buffer.data(), &size);
    if (result == ERROR_BUFFER_OVERFLOW) buffer.resize(std::max<size_t>(size, buffer.size() * 2));
  }
  return result;
}

using TGetAdaptersInfo = ULONG(WINAPI*)(IP_ADAPTER_INFO*, ULONG*);
using TGetAdaptersAddresses = ULONG(WINAPI*)(ULONG, ULONG, void*, IP_ADAPTER_ADDRESSES*, ULONG*);

// Primary WINS server by adapter GUID; an adapter without one is left out. A failed
// query only costs the WINS servers.
std::map<std::string, std::string> PrimaryWinsByAdapter(TSystemLibrary& ipHelper,
                                                         std::vector<unsigned char>& buffer) {
  std::map<std::string, std::string> wins;
  const auto getAdaptersInfo = ipHelper.Function<TGetAdaptersInfo>("GetAdaptersInfo");
  ULONG result = QueryGrowing(buffer, [&](unsigned char* data, ULONG* size) {
    return getAdaptersInfo(reinterpret_cast<IP_ADAPTER_INFO*>(data), size);
  });
  if (result != NO_ERROR) return wins;
  for (auto* info = reinterpret_cast<const IP_ADAPTER_INFO*>(buffer.data()); info; info = info->Next) {
    const char* address = info->PrimaryWinsServer.IpAddress.String;
    if (info->HaveWins && address[0] && std::string(address) != "0.0.0.0")
      wins[info->AdapterName] = address;
  }
  return wins;
}

// GetAdaptersAddresses with `flags` into `buffer`. False, with the reading marked failed,
// when it gave no list (no adapter at all is an empty list, not a failure).
bool QueryAddresses(TSystemLibrary& ipHelper, std::vector<unsigned char>& buffer, ULONG flags,
                    TAdapterReading& reading) {
  TGetAdaptersAddresses getAdaptersAddresses = nullptr;
  try {
    getAdaptersAddresses = ipHelper.Function<TGetAdaptersAddresses>("GetAdaptersAddresses");
  } catch (const std::exception& error) {
    reading.Ok = false;
    reading.Error = ERROR_MOD_NOT_FOUND;
    reading.ErrorText = error.what();
    return false;
  }
  ULONG result = QueryGrowing(buffer, [&](unsigned char* data, ULONG* size) {
    return getAdaptersAddresses(AF_INET, flags, nullptr,
                                reinterpret_cast<IP_ADAPTER_ADDRESSES*>(data), size);
  });
  if (result == ERROR_NO_DATA) return false;
  if (result != NO_ERROR) {
    reading.Ok = false;
    reading.Error = result;
    reading.ErrorText = SystemErrorText(result);
    return false;
  }
  return true;
}

// What a listed node says of its network, beside the state made from it.
struct TNodeLink {
  std::uint64_t Luid = 0;
  bool Wireless = false;
};

// Each adapter's first gateway's hardware address and, for a wireless one, its network's
// name: one reading of the neighbour table and one of the WLAN service at most, and
// neither when no adapter needs it.
void AddNetworks(TSystemLibrary& ipHelper, TWin32WlanNames& wlanNames,
                 TWin32AdapterSource::TGatewayLookup lookup, std::vector<TAdapterState>& adapters,
                 const std::vector<TNodeLink>& links) {
  const auto hasGateway = [](const TAdapterState& a) { return !a.Gateways.empty(); };
  if (std::any_of(adapters.begin(), adapters.end(), hasGateway)) {
    const std::vector<TNeighbour> table = ReadNeighbourTable(ipHelper);
    for (size_t i = 0; i < adapters.size(); ++i) {
      if (!hasGateway(adapters[i])) continue;
      const std::string& gateway = adapters[i].Gateways.front();
      std::string address = GatewayHardwareAddress(table, links[i].Luid, gateway);
      if (address.empty() && lookup == TWin32AdapterSource::TGatewayLookup::AskTheLinkWhenMissing)
        address = ResolveNeighbour(ipHelper, links[i].Luid, gateway);
      adapters[i].GatewayHardwareAddress = std::move(address);
    }
  }
  if (std::any_of(links.begin(), links.end(), [](const TNodeLink& l) { return l.Wireless; })) {
    const std::vector<TWlanConnection> connections = wlanNames.Read();
    for (size_t i = 0; i < adapters.size(); ++i) {
      if (links[i].Wireless) adapters[i].WifiNetwork = WifiNetworkOf(connections, adapters[i].Id);
    }
  }
}

}  // namespace

TAdapterReading TWin32AdapterSource::ReadNames() {
  TAdapterReading reading;
  if (!QueryAddresses(ipHelper_, addresses_, kNamesFlags, reading)) return reading;
  for (auto* node = reinterpret_cast<const IP_ADAPTER_ADDRESSES*>(addresses_.data()); node;
       node = node->Next) {
    if (!IsListedAdapter(*node)) continue;
    reading.Adapters.push_back(AdapterNameFromNode(*node));
  }
  return reading;
}

TAdapterReading TWin32AdapterSource::Read() {
  TAdapterReading reading;
  if (!QueryAddresses(ipHelper_, addresses_, kFlags, reading)) return reading;
  const std::map<std::string, std::string> wins = PrimaryWinsByAdapter(ipHelper_, infos_);
  std::vector<TNodeLink> links;
  for (auto* node = reinterpret_cast<const IP_ADAPTER_ADDRESSES*>(addresses_.data()); node;
       node = node->Next) {
    if (!IsListedAdapter(*node)) continue;
    TAdapterState state = AdapterStateFromNode(*node);
    if (auto found = wins.find(state.Id); found != wins.end()) state.PrimaryWins = found->second;
    reading.Adapters.push_back(std::move(state));
    links.push_back({node->Luid.Value, node->IfType == IF_TYPE_IEEE80211});
  }
  AddNetworks(ipHelper_, wlanNames_, lookup_, reading.Adapters, links);
  return reading;
}
