#include "Win32NeighbourTable.h"

#include <winsock2.h>
#include <windows.h>
#include <ws2ipdef.h>
#include <iphlpapi.h>
#include <netioapi.h>

#include <algorithm>
#include <cstdio>
#include <exception>

#include "Win32AdapterNode.h"

namespace {

using TGetIpNetTable2 = DWORD(WINAPI*)(ADDRESS_FAMILY, MIB_IPNET_TABLE2**);
using TFreeMibTable = VOID(WINAPI*)(PVOID);
using TResolveIpNetEntry2 = DWORD(WINAPI*)(MIB_IPNET_ROW2*, const SOCKADDR_INET*);

std::string Ipv4Text(const IN_ADDR& address) {
  const auto& b = address.S_un.S_un_b;
  char text[16];
  std::snprintf(text, sizeof text, "%u.%u.%u.%u", b.s_b1, b.s_b2, b.s_b3, b.s_b4);
  return text;
}

// Dotted decimal into an address; false for anything else.
bool ParseIpv4(const std::string& text, IN_ADDR& address) {
  unsigned parts[4];
  char end = 0;
  if (std::sscanf(text.c_str(), "%u.%u.%u.%u%c", &parts[0], &parts[1], &parts[2], &parts[3],
                  &end) != 4)
    return false;
  for (int i = 0; i < 4; ++i) {
    if (parts[i] > 255) return false;
  }
  address.S_un.S_un_b = {static_cast<UCHAR>(parts[0]), static_cast<UCHAR>(parts[1]),
                         static_cast<UCHAR>(parts[2]), static_cast<UCHAR>(parts[3])};
  return true;
}

// The row's hardware address, or empty while the system has none for it: an entry being
// resolved or one whose neighbour did not answer holds zeros or nothing.
std::string RowHardwareAddress(const MIB_IPNET_ROW2& row) {
  if (row.State == NlnsUnreachable || row.State == NlnsIncomplete || row.IsUnreachable) return {};
  const ULONG length = std::min<ULONG>(row.PhysicalAddressLength, IF_MAX_PHYS_ADDRESS_LENGTH);
  bool zero = true;
  for (ULONG i = 0; i < length; ++i) zero = zero && row.PhysicalAddress[i] == 0;
  return zero ? std::string() : HardwareAddressText(row.PhysicalAddress, length);
}

}  // namespace

std::vector<TNeighbour> ReadNeighbourTable(TSystemLibrary& ipHelper) {
  std::vector<TNeighbour> rows;
  TGetIpNetTable2 getIpNetTable2 = nullptr;
  TFreeMibTable freeMibTable = nullptr;
  try {
    getIpNetTable2 = ipHelper.Function<TGetIpNetTable2>("GetIpNetTable2");
    freeMibTable = ipHelper.Function<TFreeMibTable>("FreeMibTable");
  } catch (const std::exception&) {
    return rows;
  }
  MIB_IPNET_TABLE2* table = nullptr;
  if (getIpNetTable2(AF_INET, &table) != NO_ERROR || !table) return rows;
  rows.reserve(table->NumEntries);
  for (ULONG i = 0; i < table->NumEntries; ++i) {
    const MIB_IPNET_ROW2& row = table->Table[i];
    if (row.Address.si_family != AF_INET) continue;
    rows.push_back({row.InterfaceLuid.Value, Ipv4Text(row.Address.Ipv4.sin_addr),
                    RowHardwareAddress(row)});
  }
  freeMibTable(table);
  return rows;
}

std::string ResolveNeighbour(TSystemLibrary& ipHelper, std::uint64_t interfaceLuid,
                             const std::string& address) {
  TResolveIpNetEntry2 resolve = nullptr;
  try {
    resolve = ipHelper.Function<TResolveIpNetEntry2>("ResolveIpNetEntry2");
  } catch (const std::exception&) {
    return {};
  }
  MIB_IPNET_ROW2 row{};
  row.Address.si_family = AF_INET;
  row.Address.Ipv4.sin_family = AF_INET;
  if (!ParseIpv4(address, row.Address.Ipv4.sin_addr)) return {};
  row.InterfaceLuid.Value = interfaceLuid;
  if (resolve(&row, nullptr) != NO_ERROR) return {};
  return RowHardwareAddress(row);
}
