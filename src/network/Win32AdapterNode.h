#pragma once

// One node of GetAdaptersAddresses' list turned into the platform-free model, apart
// from the primary WINS server (which only GetAdaptersInfo knows).
#include <winsock2.h>
#include <windows.h>
#include <iphlpapi.h>

#include <string>

#include "AdapterState.h"

// Loopback and tunnel adapters are never shown: netsh configures neither.
bool IsListedAdapter(const IP_ADAPTER_ADDRESSES& node);

TAdapterState AdapterStateFromNode(const IP_ADAPTER_ADDRESSES& node);
// What a list of names needs and a profile's adapter is known by: the friendly name (with
// NameExact), the GUID and the hardware address.
TAdapterState AdapterNameFromNode(const IP_ADAPTER_ADDRESSES& node);

// A wide text in the ANSI code page; Exact is false when a character had no equivalent
// there and was replaced by the code page's default character.
struct TAnsiText {
  std::string Text;
  bool Exact = true;
};
TAnsiText AnsiFromWide(const wchar_t* text);

// "00-15-5D-01-02-03"; empty for no bytes.
std::string HardwareAddressText(const BYTE* bytes, ULONG length);
