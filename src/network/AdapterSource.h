#pragma once

#include "AdapterState.h"

// Where the computer's adapters are read from. Every call reads the system anew; nothing
// is cached or watched in the background.
class IAdapterSource {
 public:
  virtual ~IAdapterSource() = default;
  // Every adapter but loopback and tunnel adapters, in the system's order.
  virtual TAdapterReading Read() = 0;
  // The same adapters with only their names (FriendlyName, NameExact) and identity (Id,
  // HardwareAddress) filled in: what a list of names and the search for a profile's
  // adapter need, at a fraction of a full reading's cost where the system allows.
  virtual TAdapterReading ReadNames() { return Read(); }
};
