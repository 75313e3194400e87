#include "Win32NetworkChangeNotices.h"

// The IP helper's headers want this order.
#include <winsock2.h>
#include <windows.h>
#include <ws2ipdef.h>
#include <iphlpapi.h>
#include <netioapi.h>

#include <exception>
#include <utility>

namespace {

using TNotifyIpInterfaceChange = DWORD(WINAPI*)(ADDRESS_FAMILY, PIPINTERFACE_CHANGE_CALLBACK, PVOID,
                                                BOOLEAN, HANDLE*);
using TNotifyUnicastIpAddressChange = DWORD(WINAPI*)(ADDRESS_FAMILY,
                                                     PUNICAST_IPADDRESS_CHANGE_CALLBACK, PVOID,
                                                     BOOLEAN, HANDLE*);
using TNotifyRouteChange2 = DWORD(WINAPI*)(ADDRESS_FAMILY, PIPFORWARD_CHANGE_CALLBACK, PVOID,
                                           BOOLEAN, HANDLE*);
using TWlanOpenHandle = DWORD(WINAPI*)(DWORD, PVOID, PDWORD, PHANDLE);

// The callbacks' context is the owner's notice.
void Notify(PVOID notice) {
  (*static_cast<const INetworkChangeNotices::TNotice*>(notice))();
}

VOID WINAPI InterfaceChanged(PVOID notice, PMIB_IPINTERFACE_ROW, MIB_NOTIFICATION_TYPE) {
  Notify(notice);
}
VOID WINAPI AddressChanged(PVOID notice, PMIB_UNICASTIPADDRESS_ROW, MIB_NOTIFICATION_TYPE) {
  Notify(notice);
}
VOID WINAPI RouteChanged(PVOID notice, PMIB_IPFORWARD_ROW2, MIB_NOTIFICATION_TYPE) {
  Notify(notice);
}

// Joining and leaving a network; scans and signal changes are not a change of network.
VOID WINAPI WlanChanged(PWLAN_NOTIFICATION_DATA data, PVOID notice) {
  if (data->NotificationSource == WLAN_NOTIFICATION_SOURCE_ACM &&
      (data->NotificationCode == wlan_notification_acm_connection_complete ||
       data->NotificationCode == wlan_notification_acm_disconnected))
    Notify(notice);
}

// The client version of Windows Vista and later.
constexpr DWORD kWlanClientVersion = 2;

}  // namespace

TWin32NetworkChangeNotices::TMibRegistration::~TMibRegistration() {
  if (handle_) cancel_(handle_);
}

TWin32NetworkChangeNotices::TMibRegistration::TMibRegistration(TMibRegistration&& other) noexcept
    : handle_(std::exchange(other.handle_, nullptr)), cancel_(other.cancel_) {}

TWin32NetworkChangeNotices::TWlanRegistration::~TWlanRegistration() {
  if (!client_) return;
  register_(client_, WLAN_NOTIFICATION_SOURCE_NONE, TRUE, nullptr, nullptr, nullptr, nullptr);
  close_(client_, nullptr);
}

TWin32NetworkChangeNotices::~TWin32NetworkChangeNotices() {
  Stop();
}

bool TWin32NetworkChangeNotices::Start(TNotice notice) {
  Stop();
  notice_ = std::move(notice);
  const bool ipHelperWorks = RegisterIpHelper();
  RegisterWlan();
  return ipHelperWorks;
}

void TWin32NetworkChangeNotices::Stop() {
  mibRegistrations_.clear();
  wlanRegistration_.reset();
}

// No initial notification: the owner reads the adapters when it starts anyway.
bool TWin32NetworkChangeNotices::RegisterIpHelper() {
  try {
    const auto cancel = ipHelper_.Function<TMibRegistration::TCancel>("CancelMibChangeNotify2");
    const auto notifyInterface =
        ipHelper_.Function<TNotifyIpInterfaceChange>("NotifyIpInterfaceChange");
    const auto notifyAddress =
        ipHelper_.Function<TNotifyUnicastIpAddressChange>("NotifyUnicastIpAddressChange");
    const auto notifyRoute = ipHelper_.Function<TNotifyRouteChange2>("NotifyRouteChange2");
    void* const context = &notice_;
    bool allGaveHandles = true;
    // A registration that succeeds without a handle cannot be withdrawn; it is taken at its
    // word that it will never call (Wine).
    auto keep = [&](DWORD result, HANDLE handle) {
      if (result == NO_ERROR && handle) {
        mibRegistrations_.emplace_back(handle, cancel);
      } else {
        allGaveHandles = false;
      }
    };
    HANDLE handle = nullptr;
    DWORD result = notifyInterface(AF_INET, InterfaceChanged, context, FALSE, &handle);
    keep(result, handle);
    handle = nullptr;
    result = notifyAddress(AF_INET, AddressChanged, context, FALSE, &handle);
    keep(result, handle);
    handle = nullptr;
    result = notifyRoute(AF_INET, RouteChanged, context, FALSE, &handle);
    keep(result, handle);
    return allGaveHandles;
  } catch (const std::exception&) {
    // An IP helper without these functions: changes must be looked for.
    return false;
  }
}

// Where there is no WLAN service (Wine answers the registration with "not implemented"),
// there are no Wi-Fi networks to notice either: that is no reason to look for changes.
void TWin32NetworkChangeNotices::RegisterWlan() {
  try {
    const auto open = wlan_.Function<TWlanOpenHandle>("WlanOpenHandle");
    const auto registerNotices =
        wlan_.Function<TWlanRegistration::TRegister>("WlanRegisterNotification");
    const auto close = wlan_.Function<TWlanRegistration::TClose>("WlanCloseHandle");
    DWORD negotiated = 0;
    HANDLE client = nullptr;
    if (open(kWlanClientVersion, nullptr, &negotiated, &client) != ERROR_SUCCESS || !client) return;
    const DWORD result = registerNotices(client, WLAN_NOTIFICATION_SOURCE_ACM, TRUE, WlanChanged,
                                         &notice_, nullptr, nullptr);
    if (result != ERROR_SUCCESS) {
      close(client, nullptr);
      return;
    }
    wlanRegistration_.emplace(client, registerNotices, close);
  } catch (const std::exception&) {
  }
}
