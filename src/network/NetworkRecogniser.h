#pragma once

#include <cstddef>
#include <map>
#include <string>
#include <vector>

#include "ActiveProfiles.h"
#include "AdapterState.h"
#include "ProfileNetwork.h"

// What the recogniser found on one adapter that is up and on a network some profiles
// remember.
struct TAdapterRecognition {
  std::string Adapter;  // the adapter's name, as reports name it ("Ethernet")
  // The candidates: profiles bound to this adapter (FindProfileAdapter) whose remembered
  // network is its network now and which ask for something there, in the list's order,
  // by caption. The tray menu marks them until the network changes.
  std::vector<std::string> Recognised;
  // What to do now: Nothing, Switch to the one profile in ActOn, or Offer every profile in
  // ActOn (one, or several that are never chosen among silently).
  TNetworkAction Action = TNetworkAction::Nothing;
  std::vector<std::string> ActOn;

  friend bool operator==(const TAdapterRecognition&, const TAdapterRecognition&) = default;
};

// Decides, after each reading of the adapters (and once at start), whether a profile's
// network has arrived and what to do about it. It is fed the reading, the profiles as the
// list holds them and which of them are in force now (ActiveProfiles of that reading).
//
// Per adapter that is up, with the candidates of TAdapterRecognition::Recognised:
//  - one of them in force: nothing to do (the user is where they want to be);
//  - else exactly one: its own action (Offer or Switch);
//  - else several: Offer, all of them (never a switch chosen silently).
// Once per arrival: when a decision was given for an adapter's network (Nothing because a
// candidate is in force counts too), no other is given for that adapter until its network
// changes, whatever became of it (the switch failed, was declined at the elevation prompt
// or refused; the user applied another profile by hand). A network is the gateway's
// hardware address and the Wi-Fi name; it changes when either does, when the adapter goes
// down or loses both, or when it leaves the reading. While there are no candidates nothing
// is decided, so a profile that learns the network or starts asking for something while
// the network stays is acted on at the next reading.
//
// Flapping: the watcher reads the adapters once after a quiet moment, so a cable out and
// back within it gives one reading with the same network: no new arrival. Slower flapping
// gives readings with the adapter down (no network) and then back: a new arrival each
// time, in which a profile already in force is found in force and not applied again. The
// recogniser keeps no time of its own. A reading that failed tells nothing: it decides
// nothing and forgets nothing.
class TNetworkRecogniser {
 public:
  // One entry per adapter that is up and has candidates, in the reading's order.
  std::vector<TAdapterRecognition> Recognise(const TAdapterReading& reading,
                                             const std::vector<TNamedProfile>& profiles,
                                             const std::vector<std::size_t>& active);

 private:
  struct TArrival {
    std::string Network;   // NetworkKey of the adapter's network; empty for none
    bool Decided = false;  // a decision was given for it
  };
  // By the adapter's GUID, or its name when it shows none.
  std::map<std::string, TArrival> arrivals_;
};
