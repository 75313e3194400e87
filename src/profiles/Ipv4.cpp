#include "Ipv4.h"

#include <bit>

std::optional<TIpv4> ParseIpv4(std::string_view text) {
  TIpv4 address = 0;
  int octets = 0;
  std::size_t pos = 0;
  while (true) {
    int value = 0;
    int digits = 0;
    while (pos < text.size() && text[pos] >= '0' && text[pos] <= '9' && digits < 4) {
      value = value * 10 + (text[pos] - '0');
      ++digits;
      ++pos;
    }
    if (digits == 0 || digits > 3 || value > 255) return std::nullopt;
    address = (address << 8) | static_cast<TIpv4>(value);
    if (++octets == 4) break;
    if (pos >= text.size() || text[pos] != '.') return std::nullopt;
    ++pos;
  }
  if (pos != text.size()) return std::nullopt;
  return address;
}

std::string FormatIpv4(TIpv4 address) {
  std::string text;
  for (int shift = 24; shift >= 0; shift -= 8) {
    if (!text.empty()) text += '.';
    text += std::to_string((address >> shift) & 0xFF);
  }
  return text;
}

std::optional<int> MaskPrefixLength(TIpv4 mask) {
  // A contiguous mask is ones, then zeros: its leading ones and trailing zeros fill all 32 bits.
  const int ones = std::countl_one(mask);
  if (ones + std::countr_zero(mask) != 32) return std::nullopt;
  return ones;
}

std::optional<TIpv4> PrefixMask(int prefixLength) {
  if (prefixLength < 0 || prefixLength > 32) return std::nullopt;
  if (prefixLength == 0) return TIpv4{0};
  return ~TIpv4{0} << (32 - prefixLength);
}
