#pragma once

#include <functional>
#include <string>
#include <vector>

#include "ActiveProfiles.h"
#include "AdapterState.h"
#include "NetworkRecogniser.h"

// Carries out what the recogniser decides after each reading of the adapters, through
// the ways the program already has: the tray side's offer and its menu's marks, and an
// apply as the tray menu makes it.
//
// A switch that may not happen now (the user is editing that very profile: its apply
// would reload the editor under the user's hands) becomes an offer, so the user decides.
class TNetworkArrival {
 public:
  struct TActions {
    // A balloon offering the profiles named, whose network is here on `adapter`.
    std::function<void(const std::string& adapter, const std::vector<std::string>& captions)>
        Offer;
    // The profiles whose network is here, for the tray menu to mark (none: no marks).
    std::function<void(const std::vector<std::string>& captions)> Mark;
    // Applies the profile as an automatic switch; false when it may not happen now.
    std::function<bool(const std::string& caption)> Switch;
  };

  explicit TNetworkArrival(TActions actions) : actions_(std::move(actions)) {}

  // `profiles`: the list's profiles, each by caption with its normalised copy; `active`:
  // those of them in force in `reading` (ActiveProfiles), which the caller finds once for
  // this and the tray's tooltip. A reading that failed changes nothing: the marks stay and
  // nothing is decided.
  void Check(const TAdapterReading& reading, const std::vector<TNamedProfile>& profiles,
             const std::vector<std::size_t>& active);

 private:
  TNetworkRecogniser recogniser_;
  TActions actions_;
};
