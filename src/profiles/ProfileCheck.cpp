#include "ProfileCheck.h"

#include <algorithm>

#include "Ipv4.h"
#include "ProfileFields.h"

namespace {

std::string Quoted(const std::string& text) { return "\"" + text + "\""; }

bool NetshTakesName(const std::string& name) {
  return !name.empty() && std::none_of(name.begin(), name.end(), [](char c) {
    const auto code = static_cast<unsigned char>(c);
    return c == '"' || code < 32 || code == 127;
  });
}

std::optional<std::string> AddressProblem(const TAddressField& field, const std::string& text) {
  const std::string name(field.Name);
  if (field.Member == &TNetInfo::IP && text == kNoAddress)
    return name + " is blank; a static profile needs an address";
  if (text == kNoAddress) return std::nullopt;
  const std::optional<TIpv4> address = ParseIpv4(text);
  if (!address) return name + " " + Quoted(text) + " is not an address";
  if (field.Member == &TNetInfo::SN) {
    const std::optional<int> prefix = MaskPrefixLength(*address);
    if (!prefix || *prefix == 0) return name + " " + Quoted(text) + " is not a mask";
  }
  return std::nullopt;
}

}  // namespace

std::optional<std::string> ProfileProblem(const TNetInfo& normalised) {
  if (!NetshTakesName(normalised.LAN))
    return "LAN name " + Quoted(normalised.LAN) + " cannot be given to netsh";
  if (normalised.DHCP) return std::nullopt;
  for (const TAddressField& field : kAddressFields)
    if (std::optional<std::string> problem = AddressProblem(field, normalised.*field.Member))
      return problem;
  return std::nullopt;
}
