#pragma once

#include "AdapterState.h"

// Where the computer's adapters are read from. Every call reads the system anew; nothing
// is cached or watched in the background.
class IAdapterSource {
 public:
  virtual ~IAdapterSource() = default;
  // Every adapter but loopback and tunnel adapters, in the system's order.
  virtual TAdapterReading Read() = 0;
};
