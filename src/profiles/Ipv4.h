#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

// An IPv4 address or mask as a number, most significant octet first.
using TIpv4 = std::uint32_t;

// Four dot-separated decimal octets of one to three digits each, 0 to 255; leading
// zeros are allowed ("192.168.001.001" is 192.168.1.1). Anything else is no address.
std::optional<TIpv4> ParseIpv4(std::string_view text);

// Dotted decimal without leading zeros.
std::string FormatIpv4(TIpv4 address);

// The prefix length of a contiguous mask (255.255.255.0 gives 24); a mask whose one
// bits are not all at the top gives none.
std::optional<int> MaskPrefixLength(TIpv4 mask);

// The mask of a prefix length from 0 to 32; other lengths give none.
std::optional<TIpv4> PrefixMask(int prefixLength);
