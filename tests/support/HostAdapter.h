#pragma once

#include <gtest/gtest.h>

#include "Win32AdapterSource.h"

// The host's adapter with an address and a gateway (the one it reaches the world by), as
// the system reads it now: what a profile that must pass the apply's checks names.
inline TAdapterState HostAdapter() {
  TWin32AdapterSource source;
  for (const TAdapterState& adapter : source.Read().Adapters)
    if (!adapter.Addresses.empty() && !adapter.Gateways.empty()) return adapter;
  ADD_FAILURE() << "the host has no adapter with an address and a gateway";
  return {};
}
