#pragma once

#include <vector>

#include "AdapterSource.h"

// The adapters as the IP helper reports them: GetAdaptersAddresses for everything but
// the primary WINS server, which comes from GetAdaptersInfo. The buffer of the last
// reading is kept, so a reading normally takes one call of each.
class TWin32AdapterSource : public IAdapterSource {
 public:
  TAdapterReading Read() override;
  // One call of GetAdaptersAddresses that skips the addresses and servers.
  TAdapterReading ReadNames() override;

 private:
  std::vector<unsigned char> addresses_;
  std::vector<unsigned char> infos_;
};
