#include "NetInfo.h"

#include <algorithm>

std::string StripSpaces(std::string_view text) {
  std::string result;
  result.reserve(text.size());
  std::copy_if(text.begin(), text.end(), std::back_inserter(result), [](char c) { return c != ' '; });
  return result;
}

namespace {

// What an untouched address field becomes once its spaces are gone.
constexpr std::string_view kUntouchedField = "...";

std::string NormalisedAddress(std::string_view masked, std::string_view whenUntouched) {
  std::string stripped = StripSpaces(masked);
  if (stripped == kUntouchedField) return std::string(whenUntouched);
  return stripped;
}

}  // namespace

TNetInfo NormalisedCopy(const TNetInfo& profile) {
  TNetInfo copy;
  copy.LAN = profile.LAN;
  copy.DHCP = profile.DHCP;
  copy.IP = NormalisedAddress(profile.IP, "none");
  copy.SN = NormalisedAddress(profile.SN, "255.255.255.0");
  copy.DG = NormalisedAddress(profile.DG, "none");
  copy.DNS = NormalisedAddress(profile.DNS, "none");
  copy.ADNS = NormalisedAddress(profile.ADNS, "none");
  copy.WINS = NormalisedAddress(profile.WINS, "none");
  return copy;
}
