#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>

// A network card's 48-bit hardware address.
using THardwareAddress = std::array<unsigned char, 6>;

// Six hex pairs, each separated from the next by "-" or ":" ("00-11-22-33-44-55",
// "00:11:22:33:44:55"), in either letter case: the forms the system and other tools write.
// Anything else, and the all-zero address (what an unresolved neighbour entry may carry),
// is no address.
std::optional<THardwareAddress> ParseHardwareAddress(std::string_view text);

// "00-11-22-33-44-55", upper case: how the system writes hardware addresses.
std::string HardwareAddressText(const THardwareAddress& address);
