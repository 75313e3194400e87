#pragma once

#include <string>
#include <string_view>

#include "AdapterState.h"
#include "NetInfo.h"

// How the adapter of a profile was found.
enum class TAdapterFinding {
  None,       // no adapter has the profile's identity or its name
  Same,       // the adapter the profile knows: by its identity under the profile's name,
              // or by the name of a profile with no identity (or none the reading shows)
  Renamed,    // the profile's own adapter, by its identity, under another name
  Different,  // the profile's own adapter is gone and another one bears the name
};

struct TProfileAdapter {
  const TAdapterState* Adapter = nullptr;  // null exactly when None
  TAdapterFinding How = TAdapterFinding::None;
};

// Windows compares interface names without regard to case. The fold here is ASCII's
// ("ethernet" finds "Ethernet"); other bytes of the ANSI code page must be equal, since
// what they mean depends on the code page, which the platform-free side does not know.
bool InterfaceNamesEqual(std::string_view a, std::string_view b);

// The adapter a profile means, by the profile's LAN, AdapterId and AdapterMac. Every place
// that looks for a profile's adapter asks this.
//  1. The adapter whose GUID is the profile's AdapterId (GUIDs are compared without regard
//     to case; an AdapterId that is no GUID in braces counts as none).
//  2. Else the adapter named LAN (InterfaceNamesEqual; an exact spelling first): what the
//     user wrote wins over a remembered adapter that has gone.
//  3. Else, as a clue only, the one adapter whose hardware address is the profile's
//     AdapterMac, when exactly one has it (docking stations give several adapters one).
TProfileAdapter FindProfileAdapter(const TAdapterReading& reading, const TNetInfo& profile);

// The profile takes the adapter's name and identity. False when it had them already.
bool BindToAdapter(TNetInfo& profile, const TAdapterState& adapter);
// After a verified apply: BindToAdapter, and the profile remembers the network the adapter
// is on (RememberNetwork), but only while the profile still means that adapter
// (FindProfileAdapter would find it): one edited since to name another adapter is left as
// the user left it. False when nothing changed.
bool BindVerified(TNetInfo& profile, const TAdapterState& adapter);

// The adapter a new profile starts on: none (the default name stays) when an adapter is
// named "Local Area Connection" or the reading failed; else the first adapter, in the
// system's order, that carries a default route (has a gateway); none when none does.
const TAdapterState* NewProfileAdapter(const TAdapterReading& reading);

// How the report and the status part name the adapter found for a profile whose LAN is
// `lan`: the name alone when it is the same adapter, or one of
//   `Ethernet 2 (renamed from "Ethernet")`
//   `Ethernet (a different adapter from the one the profile was made on)`
// `renamedWord` is "renamed from" in reports and "was" in the status part.
std::string FoundAdapterName(const TProfileAdapter& found, const std::string& lan,
                             std::string_view renamedWord);
