#pragma once

#include <vector>

#include "AdapterSource.h"
#include "SystemLibrary.h"

// The adapters as the IP helper reports them: GetAdaptersAddresses for everything but
// the primary WINS server, which comes from GetAdaptersInfo. The buffer of the last
// reading is kept, so a reading normally takes one call of each. The IP helper is not one
// of the system's known libraries: it is loaded from the system folder only, never from
// the program's folder, which the user may write to.
class TWin32AdapterSource : public IAdapterSource {
 public:
  TAdapterReading Read() override;
  // One call of GetAdaptersAddresses that skips the addresses and servers.
  TAdapterReading ReadNames() override;

 private:
  TSystemLibrary ipHelper_{"iphlpapi.dll"};
  std::vector<unsigned char> addresses_;
  std::vector<unsigned char> infos_;
};
