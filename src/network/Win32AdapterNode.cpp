#include "Win32AdapterNode.h"

#include <algorithm>
#include <cstdio>

namespace {

constexpr DWORD kLoopbackType = IF_TYPE_SOFTWARE_LOOPBACK;  // 24
constexpr DWORD kTunnelType = IF_TYPE_TUNNEL;               // 131

// Dotted decimal of an IPv4 socket address; empty for any other family.
std::string Ipv4Text(const SOCKET_ADDRESS& address) {
  const sockaddr* raw = address.lpSockaddr;
  if (!raw || raw->sa_family != AF_INET ||
      address.iSockaddrLength < static_cast<INT>(sizeof(sockaddr_in)))
    return {};
  const auto* b = &reinterpret_cast<const sockaddr_in*>(raw)->sin_addr.S_un.S_un_b;
  char text[16];
  std::snprintf(text, sizeof text, "%u.%u.%u.%u", b->s_b1, b->s_b2, b->s_b3, b->s_b4);
  return text;
}

// The IPv4 entries of one of the node's address lists, in the system's order.
template <typename TEntry>
std::vector<std::string> Ipv4List(const TEntry* first) {
  std::vector<std::string> list;
  for (const TEntry* entry = first; entry; entry = entry->Next) {
    std::string text = Ipv4Text(entry->Address);
    if (!text.empty()) list.push_back(std::move(text));
  }
  return list;
}

std::vector<TAdapterAddress> UnicastAddresses(const IP_ADAPTER_UNICAST_ADDRESS* first) {
  std::vector<TAdapterAddress> list;
  for (const IP_ADAPTER_UNICAST_ADDRESS* entry = first; entry; entry = entry->Next) {
    std::string text = Ipv4Text(entry->Address);
    if (!text.empty()) list.push_back({std::move(text), entry->OnLinkPrefixLength});
  }
  return list;
}

// The ANSI text back in UTF-16, to see whether a conversion kept every character.
std::wstring WideFromAnsi(const std::string& text) {
  const int size = MultiByteToWideChar(CP_ACP, 0, text.c_str(), -1, nullptr, 0);
  if (size <= 0) return {};
  std::wstring wide(static_cast<size_t>(size), L'\0');
  MultiByteToWideChar(CP_ACP, 0, text.c_str(), -1, wide.data(), size);
  wide.resize(static_cast<size_t>(size) - 1);
  return wide;
}

}  // namespace

bool IsListedAdapter(const IP_ADAPTER_ADDRESSES& node) {
  return node.IfType != kLoopbackType && node.IfType != kTunnelType;
}

TAnsiText AnsiFromWide(const wchar_t* text) {
  if (!text || !*text) return {};
  // No best fit: a full-width quotation mark must not turn into '"' inside name="…" of a
  // script. UTF-8 as the ANSI code page holds every character, and the conversion refuses
  // both the flag and the report of default characters for it.
  const bool utf8 = GetACP() == CP_UTF8;
  const DWORD flags = utf8 ? 0 : WC_NO_BEST_FIT_CHARS;
  BOOL usedDefault = FALSE;
  BOOL* usedDefaultOut = utf8 ? nullptr : &usedDefault;
  int size = WideCharToMultiByte(CP_ACP, flags, text, -1, nullptr, 0, nullptr, usedDefaultOut);
  if (size <= 0) return {"", false};
  std::string result(static_cast<size_t>(size), '\0');
  size = WideCharToMultiByte(CP_ACP, flags, text, -1, result.data(), size, nullptr, usedDefaultOut);
  if (size <= 0) return {"", false};
  result.resize(static_cast<size_t>(size) - 1);  // the terminating zero
  // Whatever the code page's tables do, the name is exact only if it reads back the same.
  return {result, !usedDefault && WideFromAnsi(result) == text};
}

std::string HardwareAddressText(const BYTE* bytes, ULONG length) {
  std::string text;
  for (ULONG i = 0; i < length; ++i) {
    char pair[4];
    std::snprintf(pair, sizeof pair, i ? "-%02X" : "%02X", bytes[i]);
    text += pair;
  }
  return text;
}

TAdapterState AdapterNameFromNode(const IP_ADAPTER_ADDRESSES& node) {
  TAdapterState state;
  TAnsiText name = AnsiFromWide(node.FriendlyName);
  state.FriendlyName = std::move(name.Text);
  state.NameExact = name.Exact;
  state.Id = node.AdapterName ? node.AdapterName : "";
  state.HardwareAddress = HardwareAddressText(
      node.PhysicalAddress, std::min<ULONG>(node.PhysicalAddressLength, MAX_ADAPTER_ADDRESS_LENGTH));
  return state;
}

TAdapterState AdapterStateFromNode(const IP_ADAPTER_ADDRESSES& node) {
  TAdapterState state = AdapterNameFromNode(node);
  state.Description = AnsiFromWide(node.Description).Text;
  state.Up = node.OperStatus == IfOperStatusUp;
  state.Dhcp = (node.Flags & IP_ADAPTER_DHCP_ENABLED) != 0;
  state.Addresses = UnicastAddresses(node.FirstUnicastAddress);
  state.Gateways = Ipv4List(node.FirstGatewayAddress);
  state.DnsServers = Ipv4List(node.FirstDnsServerAddress);
  return state;
}
