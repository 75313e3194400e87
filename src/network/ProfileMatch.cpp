#include "ProfileMatch.h"

#include <algorithm>
#include <array>
#include <limits>
#include <optional>
#include <string_view>
#include <utility>

#include "Ipv4.h"
#include "ReportText.h"

namespace {

using TDifference = std::optional<TFieldDifference>;

TDifference Unless(bool matches, TProfileField field, std::string has, std::string wanted) {
  if (matches) return std::nullopt;
  return TFieldDifference{field, std::move(has), std::move(wanted)};
}

// Texts are compared as numbers, so that "192.168.001.001" is 192.168.1.1; a text that
// is no address equals nothing.
bool SameAddress(const std::string& a, const std::string& b) {
  std::optional<TIpv4> x = ParseIpv4(a);
  std::optional<TIpv4> y = ParseIpv4(b);
  return x && y && *x == *y;
}

// A member as the user should read it in a report: without leading zeros if it is an
// address, as typed if not.
std::string Readable(const std::string& member) {
  std::optional<TIpv4> address = ParseIpv4(member);
  return address ? FormatIpv4(*address) : member;
}

// A static profile wants DHCP off: a lease that happens to hand out the profile's own
// settings (as after Read Current Settings) is not the profile in force.
TDifference CompareDhcp(const TNetInfo& profile, const TAdapterState& adapter) {
  auto word = [](bool on) { return on ? "on" : "off"; };
  return Unless(adapter.Dhcp == profile.DHCP, TProfileField::DHCP, word(adapter.Dhcp),
                word(profile.DHCP));
}

TDifference CompareAddress(const TNetInfo& profile, const TAdapterState& adapter) {
  std::string has = JoinedList(AddressesWithPrefix(adapter.Addresses), kNoAddress);
  if (profile.IP == kNoAddress)
    return Unless(adapter.Addresses.empty(), TProfileField::Address, std::move(has),
                  std::string(kNoAddress));
  std::optional<TIpv4> mask = ParseIpv4(profile.SN);
  std::optional<int> prefix = mask ? MaskPrefixLength(*mask) : std::nullopt;
  bool found = prefix && std::any_of(adapter.Addresses.begin(), adapter.Addresses.end(),
                                     [&](const TAdapterAddress& address) {
                                       return address.PrefixLength == *prefix &&
                                              SameAddress(address.Address, profile.IP);
                                     });
  std::string wanted = Readable(profile.IP);
  if (prefix) {
    wanted += '/';
    wanted += std::to_string(*prefix);
  } else {
    wanted += " mask ";
    wanted += profile.SN;
  }
  return Unless(found, TProfileField::Address, std::move(has), std::move(wanted));
}

TDifference CompareGateway(const TNetInfo& profile, const TAdapterState& adapter) {
  const std::vector<std::string>& gateways = adapter.Gateways;
  bool matches = profile.DG == kNoAddress
                     ? gateways.empty()
                     : std::any_of(gateways.begin(), gateways.end(), [&](const std::string& gateway) {
                         return SameAddress(gateway, profile.DG);
                       });
  return Unless(matches, TProfileField::Gateway, JoinedList(gateways, kNoAddress),
                Readable(profile.DG));
}

// The DNS servers the script leaves on the adapter: it sets the preferred one ("none"
// clears the list) and then adds the alternate one unless that is "none".
std::vector<std::string> WantedDnsServers(const TNetInfo& profile) {
  std::vector<std::string> wanted;
  for (const std::string* server : {&profile.DNS, &profile.ADNS})
    if (*server != kNoAddress) wanted.push_back(*server);
  return wanted;
}

constexpr std::size_t kRest = std::numeric_limits<std::size_t>::max();

// The preferred server is the first of the adapter's list, the alternate one all the rest.
TDifference CompareDnsServers(TProfileField field, std::size_t first, std::size_t count,
                              const TNetInfo& profile, const TAdapterState& adapter) {
  auto part = [&](const std::vector<std::string>& list) {
    std::size_t begin = std::min(first, list.size());
    std::size_t end = begin + std::min(count, list.size() - begin);
    return std::vector<std::string>(list.begin() + begin, list.begin() + end);
  };
  const std::vector<std::string> has = part(adapter.DnsServers);
  std::vector<std::string> wanted = part(WantedDnsServers(profile));
  bool matches = has.size() == wanted.size() &&
                 std::equal(has.begin(), has.end(), wanted.begin(), SameAddress);
  for (std::string& server : wanted) server = Readable(server);
  return Unless(matches, field, JoinedList(has, kNoAddress), JoinedList(wanted, kNoAddress));
}

TDifference ComparePreferredDns(const TNetInfo& profile, const TAdapterState& adapter) {
  return CompareDnsServers(TProfileField::DNS, 0, 1, profile, adapter);
}

TDifference CompareAlternateDns(const TNetInfo& profile, const TAdapterState& adapter) {
  return CompareDnsServers(TProfileField::AlternateDNS, 1, kRest, profile, adapter);
}

using TComparer = TDifference (*)(const TNetInfo&, const TAdapterState&);

// Which profiles have a member compared.
enum class TComparedFor { EveryProfile, StaticProfiles };

// Everything about one compared member: its word in a report, which profiles have it
// compared (a DHCP profile wants DHCP on and nothing else; a static one DHCP off and its
// addresses), and how. A report lists the differences in this table's order.
struct TComparedMember {
  TProfileField Field;
  std::string_view Word;
  TComparedFor For;
  TComparer Compare;
};

constexpr std::array<TComparedMember, 5> kComparedMembers{{
    {TProfileField::DHCP, "DHCP", TComparedFor::EveryProfile, CompareDhcp},
    {TProfileField::Address, "address", TComparedFor::StaticProfiles, CompareAddress},
    {TProfileField::Gateway, "gateway", TComparedFor::StaticProfiles, CompareGateway},
    {TProfileField::DNS, "DNS", TComparedFor::StaticProfiles, ComparePreferredDns},
    {TProfileField::AlternateDNS, "alternate DNS", TComparedFor::StaticProfiles,
     CompareAlternateDns},
}};

std::vector<const TComparedMember*> MembersComparedFor(const TNetInfo& normalised) {
  std::vector<const TComparedMember*> members;
  for (const TComparedMember& member : kComparedMembers)
    if (member.For == TComparedFor::EveryProfile || !normalised.DHCP) members.push_back(&member);
  return members;
}

}  // namespace

std::string_view FieldWord(TProfileField field) {
  return std::find_if(kComparedMembers.begin(), kComparedMembers.end(),
                      [&](const TComparedMember& member) { return member.Field == field; })
      ->Word;
}

std::vector<TProfileField> ComparedFields(const TNetInfo& normalised) {
  std::vector<TProfileField> fields;
  for (const TComparedMember* member : MembersComparedFor(normalised))
    fields.push_back(member->Field);
  return fields;
}

std::vector<TFieldDifference> CompareProfile(const TNetInfo& normalised,
                                             const TAdapterState& adapter) {
  std::vector<TFieldDifference> differences;
  for (const TComparedMember* member : MembersComparedFor(normalised)) {
    if (TDifference difference = member->Compare(normalised, adapter))
      differences.push_back(std::move(*difference));
  }
  return differences;
}
