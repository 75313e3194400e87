#include "NetInfo.h"

#include <algorithm>

#include "Ipv4.h"
#include "ProfileFields.h"

std::string StripSpaces(std::string_view text) {
  std::string result;
  result.reserve(text.size());
  std::copy_if(text.begin(), text.end(), std::back_inserter(result), [](char c) { return c != ' '; });
  return result;
}

namespace {

// What an untouched address field becomes once its spaces are gone.
constexpr std::string_view kUntouchedField = "...";

// A member with nothing in it (a key missing from a hand-written store) is shown as an
// untouched field, and is one: netsh would reject "addr=" after applying the lines before.
// An address loses its leading zeros: the field and Ardenix read "010" as ten, but Windows'
// classic address parsing (inet_addr) takes a leading zero for octal ("010" is eight).
std::string NormalisedAddress(std::string_view masked, std::string_view whenUntouched) {
  std::string stripped = StripSpaces(masked);
  if (stripped == kUntouchedField || stripped.empty()) return std::string(whenUntouched);
  if (const std::optional<TIpv4> address = ParseIpv4(stripped)) return FormatIpv4(*address);
  return stripped;
}

}  // namespace

TNetInfo NormalisedCopy(const TNetInfo& profile) {
  TNetInfo copy = profile;
  for (const TAddressField& field : kAddressFields) {
    // An untouched mask means the usual one; any other untouched field means none.
    const std::string_view whenUntouched =
        field.Member == &TNetInfo::SN ? "255.255.255.0" : kNoAddress;
    copy.*field.Member = NormalisedAddress(profile.*field.Member, whenUntouched);
  }
  return copy;
}
