#include "ActiveProfiles.h"

#include "ProfileAdapter.h"
#include "ProfileMatch.h"

std::vector<std::size_t> ActiveProfiles(const std::vector<TNamedProfile>& profiles,
                                        const TAdapterReading& reading) {
  std::vector<std::size_t> active;
  for (std::size_t i = 0; i < profiles.size(); ++i) {
    const TAdapterState* adapter = FindProfileAdapter(reading, profiles[i].Normalised).Adapter;
    if (adapter && adapter->Up && ProfileMatches(profiles[i].Normalised, *adapter))
      active.push_back(i);
  }
  return active;
}

namespace {

constexpr std::string_view kEllipsis = "...";

}  // namespace

std::string TrayTipText(const std::string& title, const std::vector<TNamedProfile>& profiles,
                        const std::vector<std::size_t>& active) {
  std::string text = title;
  for (std::size_t n = 0; n < active.size(); ++n) {
    const TNamedProfile& profile = profiles[active[n]];
    std::string next = text + (n == 0 ? ": " : ", ") + profile.Caption + " on " + profile.Normalised.LAN;
    // Room must stay for ", ..." after this entry unless it is the last one.
    const std::size_t reserve = n + 1 < active.size() ? 2 + kEllipsis.size() : 0;
    if (next.size() + reserve > kTrayTipLimit) {
      if (n == 0) return next.substr(0, kTrayTipLimit - kEllipsis.size()) + std::string(kEllipsis);
      return text + ", " + std::string(kEllipsis);
    }
    text = std::move(next);
  }
  return text;
}
