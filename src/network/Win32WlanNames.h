#pragma once

// The names of the networks the wireless interfaces are connected to, from the WLAN
// service (wlanapi.dll, loaded from the system folder when first asked). A computer
// without the library, or whose service does not answer, simply has no names.
#include <windows.h>

#include <vector>

#include "NetworkIdentity.h"
#include "SystemLibrary.h"

class TWin32WlanNames {
 public:
  TWin32WlanNames() = default;
  ~TWin32WlanNames();
  TWin32WlanNames(const TWin32WlanNames&) = delete;
  TWin32WlanNames& operator=(const TWin32WlanNames&) = delete;

  // The connected interfaces and their networks' names, read anew.
  std::vector<TWlanConnection> Read();

 private:
  // The service's client handle, opened once and kept: opening costs a round trip to the
  // service on every reading otherwise. False when there is no WLAN here; then not asked
  // again.
  bool Open();

  TSystemLibrary wlan_{"wlanapi.dll"};
  HANDLE client_ = nullptr;
  bool absent_ = false;
};
