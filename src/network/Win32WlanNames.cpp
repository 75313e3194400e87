#include "Win32WlanNames.h"

#include <wlanapi.h>

#include <cstdio>
#include <exception>
#include <string>

#include "Win32AdapterNode.h"

namespace {

using TWlanOpenHandle = DWORD(WINAPI*)(DWORD, PVOID, PDWORD, PHANDLE);
using TWlanCloseHandle = DWORD(WINAPI*)(HANDLE, PVOID);
using TWlanEnumInterfaces = DWORD(WINAPI*)(HANDLE, PVOID, PWLAN_INTERFACE_INFO_LIST*);
using TWlanQueryInterface = DWORD(WINAPI*)(HANDLE, const GUID*, WLAN_INTF_OPCODE, PVOID, PDWORD,
                                           PVOID*, PWLAN_OPCODE_VALUE_TYPE);
using TWlanFreeMemory = VOID(WINAPI*)(PVOID);

// The client version of Windows Vista and later.
constexpr DWORD kClientVersion = 2;

// "{4D36E972-E325-11CE-BFC1-08002BE10318}", as the IP helper writes adapter GUIDs.
std::string GuidText(const GUID& guid) {
  char text[40];
  std::snprintf(text, sizeof text, "{%08lX-%04X-%04X-%02X%02X-%02X%02X%02X%02X%02X%02X}",
                static_cast<unsigned long>(guid.Data1), guid.Data2, guid.Data3, guid.Data4[0],
                guid.Data4[1], guid.Data4[2], guid.Data4[3], guid.Data4[4], guid.Data4[5],
                guid.Data4[6], guid.Data4[7]);
  return text;
}

// An SSID is up to 32 bytes, nearly always UTF-8 text: shown in the ANSI code page like
// every other name; bytes that are not UTF-8 are kept as they are.
std::string SsidText(const DOT11_SSID& ssid) {
  const ULONG length = ssid.uSSIDLength < DOT11_SSID_MAX_LENGTH ? ssid.uSSIDLength
                                                                : DOT11_SSID_MAX_LENGTH;
  const std::string bytes(reinterpret_cast<const char*>(ssid.ucSSID), length);
  if (bytes.empty()) return bytes;
  wchar_t wide[DOT11_SSID_MAX_LENGTH + 1] = {};
  const int size = MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, bytes.data(),
                                       static_cast<int>(bytes.size()), wide, DOT11_SSID_MAX_LENGTH);
  if (size <= 0) return bytes;
  return AnsiFromWide(wide).Text;
}

}  // namespace

TWin32WlanNames::~TWin32WlanNames() {
  if (!client_) return;
  try {
    wlan_.Function<TWlanCloseHandle>("WlanCloseHandle")(client_, nullptr);
  } catch (const std::exception&) {
  }
}

bool TWin32WlanNames::Open() {
  if (client_) return true;
  if (absent_) return false;
  try {
    DWORD negotiated = 0;
    HANDLE client = nullptr;
    if (wlan_.Function<TWlanOpenHandle>("WlanOpenHandle")(kClientVersion, nullptr, &negotiated,
                                                          &client) == ERROR_SUCCESS)
      client_ = client;
  } catch (const std::exception&) {
  }
  absent_ = client_ == nullptr;
  return client_ != nullptr;
}

std::vector<TWlanConnection> TWin32WlanNames::Read() {
  std::vector<TWlanConnection> connections;
  if (!Open()) return connections;
  try {
    const auto enumInterfaces = wlan_.Function<TWlanEnumInterfaces>("WlanEnumInterfaces");
    const auto queryInterface = wlan_.Function<TWlanQueryInterface>("WlanQueryInterface");
    const auto freeMemory = wlan_.Function<TWlanFreeMemory>("WlanFreeMemory");
    WLAN_INTERFACE_INFO_LIST* list = nullptr;
    if (enumInterfaces(client_, nullptr, &list) != ERROR_SUCCESS || !list) return connections;
    for (DWORD i = 0; i < list->dwNumberOfItems; ++i) {
      const WLAN_INTERFACE_INFO& info = list->InterfaceInfo[i];
      if (info.isState != wlan_interface_state_connected) continue;
      DWORD size = 0;
      void* data = nullptr;
      if (queryInterface(client_, &info.InterfaceGuid, wlan_intf_opcode_current_connection,
                         nullptr, &size, &data, nullptr) != ERROR_SUCCESS || !data)
        continue;
      const auto* attributes = static_cast<const WLAN_CONNECTION_ATTRIBUTES*>(data);
      connections.push_back({GuidText(info.InterfaceGuid),
                             SsidText(attributes->wlanAssociationAttributes.dot11Ssid)});
      freeMemory(data);
    }
    freeMemory(list);
  } catch (const std::exception&) {
  }
  return connections;
}
