// Runs an apply's decisions over any profile and any run of adapter readings: the report
// may say "verified" only when the adapter it last read has every compared member exactly
// as the profile wants it, checked here member by member, apart from the matcher.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "ApplyRun.h"
#include "Ipv4.h"

namespace {

// Reads the fuzzer's bytes as small choices; past the end every choice is 0.
class TChoices {
 public:
  TChoices(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}
  std::size_t Next(std::size_t count) { return at_ < size_ ? data_[at_++] % count : 0; }
  bool Flag() { return Next(2) == 1; }
  bool Done() const { return at_ >= size_; }

 private:
  const std::uint8_t* data_;
  std::size_t size_;
  std::size_t at_ = 0;
};

// Few values, so that equal ones meet often; leading zeros and a non-address among them.
const char* const kAddresses[] = {"none", "10.0.0.1", "10.0.0.2", "010.0.0.1", "10.0.0.5",
                                  "192.168.1.1", "10.0.0"};
const char* const kMasks[] = {"255.255.255.0", "255.255.0.0", "255.0.255.0"};
const int kPrefixes[] = {24, 16, 8};

std::string Address(TChoices& c) { return kAddresses[c.Next(std::size(kAddresses))]; }

std::vector<std::string> AddressList(TChoices& c) {
  std::vector<std::string> list;
  for (std::size_t n = c.Next(4); n > 0; --n) {
    std::string address = Address(c);
    if (std::optional<TIpv4> parsed = ParseIpv4(address)) list.push_back(FormatIpv4(*parsed));
  }
  return list;
}

TNetInfo Profile(TChoices& c) {
  TNetInfo profile;
  profile.LAN = "Ethernet";
  profile.DHCP = c.Flag();
  profile.IP = Address(c);
  profile.SN = kMasks[c.Next(std::size(kMasks))];
  profile.DG = Address(c);
  profile.DNS = Address(c);
  profile.ADNS = Address(c);
  profile.WINS = Address(c);
  return profile;
}

TAdapterReading Reading(TChoices& c) {
  TAdapterReading reading;
  if (c.Next(8) == 0) {
    reading.Ok = false;
    return reading;
  }
  for (std::size_t n = c.Next(3); n > 0; --n) {
    TAdapterState adapter;
    adapter.FriendlyName = c.Next(4) == 0 ? "Wi-Fi" : "Ethernet";
    adapter.Up = c.Flag();
    adapter.NameExact = c.Next(8) != 0;
    adapter.Dhcp = c.Flag();
    for (const std::string& address : AddressList(c))
      adapter.Addresses.push_back({address, kPrefixes[c.Next(std::size(kPrefixes))]});
    adapter.Gateways = AddressList(c);
    adapter.DnsServers = AddressList(c);
    reading.Adapters.push_back(adapter);
  }
  return reading;
}

bool Same(const std::string& a, const std::string& b) {
  std::optional<TIpv4> x = ParseIpv4(a), y = ParseIpv4(b);
  return x && y && *x == *y;
}

// The members one by one, as a person would check the adapter against the profile.
bool AsWanted(const TNetInfo& p, const TAdapterState& a) {
  if (a.Dhcp != p.DHCP) return false;
  if (p.DHCP) return true;
  bool address = p.IP == "none" && a.Addresses.empty();
  for (const TAdapterAddress& has : a.Addresses) {
    std::optional<TIpv4> mask = ParseIpv4(p.SN);
    std::optional<int> prefix = mask ? MaskPrefixLength(*mask) : std::nullopt;
    address = address || (prefix && *prefix == has.PrefixLength && Same(has.Address, p.IP));
  }
  bool gateway = p.DG == "none" && a.Gateways.empty();
  for (const std::string& has : a.Gateways) gateway = gateway || Same(has, p.DG);
  std::vector<std::string> dns;
  for (const std::string* server : {&p.DNS, &p.ADNS})
    if (*server != "none") dns.push_back(*server);
  bool servers = dns.size() == a.DnsServers.size();
  for (std::size_t i = 0; servers && i < dns.size(); ++i) servers = Same(dns[i], a.DnsServers[i]);
  return address && gateway && servers;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  TChoices c(data, size);
  const TNetInfo profile = Profile(c);
  TApplyRun run("Office", profile);
  TApplyStep step = run.Started(0);
  step = run.Tick(200, static_cast<unsigned long>(c.Next(3)));
  TAdapterReading last;
  for (int reads = 0; step.Action == TApplyAction::ReadAdapters; ++reads) {
    if (reads > 1000) std::abort();  // a run must end
    last = Reading(c);
    step = run.AdaptersRead(last);
  }
  if (step.Action != TApplyAction::Report) std::abort();
  if (step.Report.Outcome != TApplyOutcome::Verified) return 0;
  if (!last.Ok) std::abort();
  const TAdapterState* adapter = nullptr;
  for (const TAdapterState& candidate : last.Adapters)
    if (candidate.FriendlyName == profile.LAN) adapter = adapter ? adapter : &candidate;
  if (!adapter || !AsWanted(profile, *adapter)) std::abort();
  return 0;
}
