#include "HardwareAddress.h"

#include <algorithm>

namespace {

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

}  // namespace

std::optional<THardwareAddress> ParseHardwareAddress(std::string_view text) {
  constexpr std::size_t kLength = 6 * 2 + 5;
  if (text.size() != kLength) return std::nullopt;
  THardwareAddress address{};
  for (std::size_t octet = 0; octet < address.size(); ++octet) {
    const std::size_t at = octet * 3;
    if (octet > 0 && text[at - 1] != '-' && text[at - 1] != ':') return std::nullopt;
    const int high = HexDigit(text[at]);
    const int low = HexDigit(text[at + 1]);
    if (high < 0 || low < 0) return std::nullopt;
    address[octet] = static_cast<unsigned char>(high * 16 + low);
  }
  if (std::all_of(address.begin(), address.end(), [](unsigned char b) { return b == 0; }))
    return std::nullopt;
  return address;
}

std::string HardwareAddressText(const THardwareAddress& address) {
  constexpr char kDigits[] = "0123456789ABCDEF";
  std::string text;
  for (unsigned char octet : address) {
    if (!text.empty()) text += '-';
    text += kDigits[octet >> 4];
    text += kDigits[octet & 0xF];
  }
  return text;
}
