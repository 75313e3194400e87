#pragma once

#include <vector>

#include "AdapterSource.h"
#include "SystemLibrary.h"
#include "Win32WlanNames.h"

// The adapters as the IP helper reports them: GetAdaptersAddresses for everything but
// the primary WINS server, which comes from GetAdaptersInfo, and what identifies each
// adapter's network: its first gateway's hardware address from the neighbour table
// (GetIpNetTable2, once per reading, only when an adapter has a gateway) and a wireless
// adapter's network name from the WLAN service (only when a wireless adapter is listed).
// The buffer of the last reading is kept, so a reading normally takes one call of each. The IP helper is not one
// of the system's known libraries: it is loaded from the system folder only, never from
// the program's folder, which the user may write to.
class TWin32AdapterSource : public IAdapterSource {
 public:
  // A gateway missing from the neighbour table (nothing has been sent to it lately) is
  // left unknown by default: readings are made for the window, the tray menu and each
  // step of an apply's verification, and none of them may wait for the network. Asking
  // the link (ResolveIpNetEntry2, an ARP request that waits for the answer, seconds when
  // none comes) is for a caller that reads once to learn the network and can wait.
  enum class TGatewayLookup { NeighbourTableOnly, AskTheLinkWhenMissing };

  explicit TWin32AdapterSource(TGatewayLookup lookup = TGatewayLookup::NeighbourTableOnly)
      : lookup_(lookup) {}

  TAdapterReading Read() override;
  // One call of GetAdaptersAddresses that skips the addresses and servers.
  TAdapterReading ReadNames() override;

 private:
  TGatewayLookup lookup_;
  TSystemLibrary ipHelper_{"iphlpapi.dll"};
  TWin32WlanNames wlanNames_;
  std::vector<unsigned char> addresses_;
  std::vector<unsigned char> infos_;
};
