#pragma once

#include <windows.h>
#include <wlanapi.h>

#include <optional>
#include <vector>

#include "NetworkChangeNotices.h"
#include "SystemLibrary.h"

// The IP helper's change notices for IPv4 interfaces, unicast addresses and routes, and the
// WLAN service's connection notices where the service exists. Both libraries are loaded
// from the system folder. Only a registration that gave a handle counts: Wine takes all
// three with success and a null handle and never calls back (measured, Wine 8), so there
// Start answers false.
class TWin32NetworkChangeNotices final : public INetworkChangeNotices {
 public:
  TWin32NetworkChangeNotices() = default;
  ~TWin32NetworkChangeNotices() override;
  TWin32NetworkChangeNotices(const TWin32NetworkChangeNotices&) = delete;
  TWin32NetworkChangeNotices& operator=(const TWin32NetworkChangeNotices&) = delete;

  bool Start(TNotice notice) override;
  void Stop() override;

 private:
  // One registration with the IP helper, withdrawn (CancelMibChangeNotify2, which waits
  // for a callback that is running) with the object. Move-only.
  class TMibRegistration {
   public:
    using TCancel = DWORD(WINAPI*)(HANDLE);
    TMibRegistration(HANDLE handle, TCancel cancel) : handle_(handle), cancel_(cancel) {}
    ~TMibRegistration();
    TMibRegistration(TMibRegistration&& other) noexcept;
    TMibRegistration& operator=(TMibRegistration&&) = delete;
    TMibRegistration(const TMibRegistration&) = delete;
    TMibRegistration& operator=(const TMibRegistration&) = delete;

   private:
    HANDLE handle_;
    TCancel cancel_;
  };

  // The WLAN service's client handle with its notices registered; withdrawing the notices
  // and closing the handle (which waits for a callback that is running) ends it.
  class TWlanRegistration {
   public:
    using TRegister = DWORD(WINAPI*)(HANDLE, DWORD, BOOL, WLAN_NOTIFICATION_CALLBACK, PVOID, PVOID,
                                     PDWORD);
    using TClose = DWORD(WINAPI*)(HANDLE, PVOID);
    TWlanRegistration(HANDLE client, TRegister registerNotices, TClose close)
        : client_(client), register_(registerNotices), close_(close) {}
    ~TWlanRegistration();
    TWlanRegistration(const TWlanRegistration&) = delete;
    TWlanRegistration& operator=(const TWlanRegistration&) = delete;

   private:
    HANDLE client_;
    TRegister register_;
    TClose close_;
  };

  // The three IP helper registrations; false when any gave no handle.
  bool RegisterIpHelper();
  void RegisterWlan();

  // The libraries outlive the registrations made with their functions.
  TSystemLibrary ipHelper_{"iphlpapi.dll"};
  TSystemLibrary wlan_{"wlanapi.dll"};
  TNotice notice_;  // the context of every callback
  std::vector<TMibRegistration> mibRegistrations_;
  std::optional<TWlanRegistration> wlanRegistration_;
};
