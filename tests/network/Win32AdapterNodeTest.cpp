// One node of GetAdaptersAddresses' list, built by hand, turned into the model.
#include "Win32AdapterNode.h"

#include <ws2tcpip.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// A node with its lists, all storage owned here so that the pointers stay valid.
class TNodeFixture {
 public:
  TNodeFixture() {
    node_.Length = sizeof(node_);
    node_.AdapterName = const_cast<char*>("{4D36E972-E325-11CE-BFC1-08002BE10318}");
    node_.FriendlyName = const_cast<wchar_t*>(L"Ethernet 2");
    node_.Description = const_cast<wchar_t*>(L"Virtual Ethernet Adapter");
    node_.IfType = IF_TYPE_ETHERNET_CSMACD;
    node_.OperStatus = IfOperStatusUp;
    node_.Flags = IP_ADAPTER_DHCP_ENABLED;
    const BYTE mac[] = {0x00, 0x15, 0x5D, 0x01, 0x0A, 0xFF};
    std::copy(std::begin(mac), std::end(mac), node_.PhysicalAddress);
    node_.PhysicalAddressLength = sizeof mac;
  }

  void AddUnicast(const char* address, UINT8 prefix) {
    auto& entry = unicast_.emplace_back();
    entry.Address = Socket(address);
    entry.OnLinkPrefixLength = prefix;
  }
  void AddUnicastIpv6() {
    auto& entry = unicast_.emplace_back();
    entry.Address = SocketIpv6();
    entry.OnLinkPrefixLength = 64;
  }
  void AddGateway(const char* address) { gateways_.emplace_back().Address = Socket(address); }
  void AddDns(const char* address) { dns_.emplace_back().Address = Socket(address); }
  void AddDnsIpv6() { dns_.emplace_back().Address = SocketIpv6(); }

  IP_ADAPTER_ADDRESSES& Node() {
    node_.FirstUnicastAddress = Link(unicast_);
    node_.FirstGatewayAddress = Link(gateways_);
    node_.FirstDnsServerAddress = Link(dns_);
    return node_;
  }

 private:
  SOCKET_ADDRESS Socket(const char* address) {
    sockaddr_in& in = ipv4_.emplace_back();
    in.sin_family = AF_INET;
    in.sin_addr.s_addr = inet_addr(address);
    return {reinterpret_cast<sockaddr*>(&in), sizeof in};
  }
  SOCKET_ADDRESS SocketIpv6() {
    sockaddr_in6& in = ipv6_.emplace_back();
    in.sin6_family = AF_INET6;
    in.sin6_addr.s6_addr[0] = 0xFE;
    in.sin6_addr.s6_addr[1] = 0x80;
    return {reinterpret_cast<sockaddr*>(&in), sizeof in};
  }
  template <typename TEntry>
  static TEntry* Link(std::vector<TEntry>& entries) {
    for (size_t i = 0; i + 1 < entries.size(); ++i) entries[i].Next = &entries[i + 1];
    return entries.empty() ? nullptr : entries.data();
  }

  IP_ADAPTER_ADDRESSES node_{};
  // Reserved up front: the nodes point into these.
  std::vector<sockaddr_in> ipv4_ = Reserved<sockaddr_in>();
  std::vector<sockaddr_in6> ipv6_ = Reserved<sockaddr_in6>();
  std::vector<IP_ADAPTER_UNICAST_ADDRESS> unicast_ = Reserved<IP_ADAPTER_UNICAST_ADDRESS>();
  std::vector<IP_ADAPTER_GATEWAY_ADDRESS> gateways_ = Reserved<IP_ADAPTER_GATEWAY_ADDRESS>();
  std::vector<IP_ADAPTER_DNS_SERVER_ADDRESS> dns_ = Reserved<IP_ADAPTER_DNS_SERVER_ADDRESS>();

  template <typename T>
  static std::vector<T> Reserved() {
    std::vector<T> v;
    v.reserve(16);
    return v;
  }
};

TEST(Win32AdapterNode, TakesEveryFieldAndOnlyTheIpv4Entries) {
  TNodeFixture fixture;
  fixture.AddUnicastIpv6();
  fixture.AddUnicast("10.0.0.5", 24);
  fixture.AddUnicast("192.168.100.200", 16);
  fixture.AddGateway("10.0.0.1");
  fixture.AddDnsIpv6();
  fixture.AddDns("10.0.0.53");
  fixture.AddDns("8.8.4.4");

  TAdapterState expected;
  expected.FriendlyName = "Ethernet 2";
  expected.Description = "Virtual Ethernet Adapter";
  expected.Id = "{4D36E972-E325-11CE-BFC1-08002BE10318}";
  expected.HardwareAddress = "00-15-5D-01-0A-FF";
  expected.Up = true;
  expected.Dhcp = true;
  expected.Addresses = {{"10.0.0.5", 24}, {"192.168.100.200", 16}};
  expected.Gateways = {"10.0.0.1"};
  expected.DnsServers = {"10.0.0.53", "8.8.4.4"};
  EXPECT_EQ(AdapterStateFromNode(fixture.Node()), expected);
}

TEST(Win32AdapterNode, ADownStaticAdapterWithoutHardwareAddressOrLists) {
  TNodeFixture fixture;
  IP_ADAPTER_ADDRESSES& node = fixture.Node();
  node.OperStatus = IfOperStatusDown;
  node.Flags = 0x80;  // IPv4 enabled, nothing else
  node.PhysicalAddressLength = 0;
  const TAdapterState state = AdapterStateFromNode(node);
  EXPECT_FALSE(state.Up);
  EXPECT_FALSE(state.Dhcp);
  EXPECT_EQ(state.HardwareAddress, "");
  EXPECT_TRUE(state.Addresses.empty());
  EXPECT_TRUE(state.Gateways.empty());
  EXPECT_TRUE(state.DnsServers.empty());
  EXPECT_EQ(state.PrimaryWins, "");
}

TEST(Win32AdapterNode, OnlyLoopbackAndTunnelAdaptersAreLeftOut) {
  struct Case {
    DWORD type;
    bool listed;
  };
  for (const Case c : {Case{IF_TYPE_SOFTWARE_LOOPBACK, false}, Case{IF_TYPE_TUNNEL, false},
                       Case{IF_TYPE_ETHERNET_CSMACD, true}, Case{IF_TYPE_IEEE80211, true},
                       Case{IF_TYPE_PPP, true}}) {
    TNodeFixture fixture;
    fixture.Node().IfType = c.type;
    EXPECT_EQ(IsListedAdapter(fixture.Node()), c.listed) << "IfType " << c.type;
  }
}

TEST(Win32AdapterNode, ANameTheAnsiCodePageCannotHoldIsMarkedInexact) {
  TNodeFixture fixture;
  fixture.Node().FriendlyName = const_cast<wchar_t*>(L"LAN \x4E2D\x6587");
  const TAdapterState state = AdapterStateFromNode(fixture.Node());
  if (GetACP() == CP_UTF8 || GetACP() == 936) GTEST_SKIP() << "this code page holds the name";
  EXPECT_FALSE(state.NameExact);
  EXPECT_EQ(state.FriendlyName.substr(0, 4), "LAN ");
}

struct AnsiCase {
  const char* name;
  const wchar_t* wide;
  const char* ansi;  // what the text must be; null where only exactness is asserted
  bool exact;
};

// In a single-byte code page (Windows-1252 here): what it holds is kept, and a character
// it holds only by best fit is never passed off as exact.
const AnsiCase kAnsiCases[] = {
    {"Plain", L"Local Area Connection", "Local Area Connection", true},
    {"Empty", L"", "", true},
    {"None", nullptr, "", true},
    {"LetterOfTheCodePage", L"B\xFCro", "B\xFCro", true},
    {"NonBreakingHyphen", L"Wi\x2011" L"Fi", nullptr, false},
    {"FullWidthQuotationMark", L"LAN\xFF02x", nullptr, false},
    {"FullWidthLetter", L"\xFF25thernet", nullptr, false},
};

void PrintTo(const AnsiCase& c, std::ostream* os) { *os << c.name; }

class AnsiConversion : public testing::TestWithParam<AnsiCase> {};

TEST_P(AnsiConversion, KeepsWhatTheCodePageHoldsAndNothingByBestFit) {
  const AnsiCase& c = GetParam();
  if (GetACP() != 1252) GTEST_SKIP() << "the rows are for code page 1252, this is " << GetACP();
  const TAnsiText text = AnsiFromWide(c.wide);
  if (c.ansi) {
    EXPECT_EQ(text.Text, c.ansi);
  }
  EXPECT_EQ(text.Exact, c.exact) << text.Text;
  // Whatever stands in for a character may never be the script's own quotation mark.
  if (!c.exact) {
    EXPECT_EQ(text.Text.find('"'), std::string::npos) << text.Text;
  }
}

INSTANTIATE_TEST_SUITE_P(Cases, AnsiConversion, testing::ValuesIn(kAnsiCases),
                         [](const auto& param) { return std::string(param.param.name); });

}  // namespace
