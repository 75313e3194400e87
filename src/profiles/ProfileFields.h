#pragma once

#include <array>
#include <string>
#include <string_view>

#include "NetInfo.h"

// One address member of a profile: its key in the store, its name as the editor labels
// it and as messages about it say, and where it lives in the record.
struct TAddressField {
  std::string_view Key;
  std::string_view Name;
  std::string TNetInfo::*Member;
};

// The six address members, in the order the store writes them and the editor shows
// them. Everything that goes through the address members one by one reads this table.
inline constexpr std::array<TAddressField, 6> kAddressFields = {{
    {"IP", "IP", &TNetInfo::IP},
    {"SN", "Subnet Mask", &TNetInfo::SN},
    {"DG", "Default Gateway", &TNetInfo::DG},
    {"DNS", "Preferred DNS", &TNetInfo::DNS},
    {"ADNS", "Alternate DNS", &TNetInfo::ADNS},
    {"WINS", "WINS", &TNetInfo::WINS},
}};
