#pragma once

#include <string>
#include <string_view>

// An address member that no digit was typed into: the address field's masked text with
// every position blank.
inline constexpr std::string_view kBlankAddressText = "   .   .   .   ";

// What an untouched address member (other than the mask) holds once normalised, and
// netsh's word for "no address here".
inline constexpr std::string_view kNoAddress = "none";

// One named IPv4 configuration of one network adapter. The name is not part of the
// record: it is the caption of the list entry that holds it. The six address members
// carry the address field's 15-character masked text ("192.168.1  .1  ") until a
// profile is applied; only the normalised copy holds plain dotted addresses.
//
// The adapter is named by LAN, and known for certain by its identity once one was read:
// the adapter's GUID ("{...}") and, as a second clue, its hardware address
// ("00-15-5D-01-02-03"). Both are empty until an adapter is picked, read or verified for
// the profile, and are kept as the text they were read as (a hand-edited store may hold
// anything there).
//
// The profile's network and what to do on it are known the same way: see below.
struct TNetInfo {
  std::string LAN;
  bool DHCP = false;
  std::string IP;
  std::string SN;
  std::string DG;
  std::string DNS;
  std::string ADNS;
  std::string WINS;
  std::string AdapterId{};
  std::string AdapterMac{};
  // The network the adapter was on when the profile was last verified or read there: its
  // default gateway's address and hardware address ("00-11-22-33-44-55"), and for a
  // wireless adapter the network's name (SSID). Empty until known; kept as text.
  std::string NetworkGateway{};
  std::string NetworkGatewayMac{};
  std::string NetworkWifi{};
  // What to do when that network is here: "offer" or "switch"; anything else (empty,
  // the default) is nothing. Kept as the text it was read as.
  std::string OnNetwork{};

  friend bool operator==(const TNetInfo&, const TNetInfo&) = default;
};

// The text with every space (code 32) removed; tabs and other blanks stay.
std::string StripSpaces(std::string_view text);

// The copy that is applied: address members stripped of spaces, and an untouched
// field ("..." once stripped, or nothing at all) replaced by "none", or by
// "255.255.255.0" for the mask.
TNetInfo NormalisedCopy(const TNetInfo& profile);
