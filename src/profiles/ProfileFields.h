#pragma once

#include <array>
#include <string>
#include <string_view>

#include "NetInfo.h"

// One address member of a profile: its key in the store and where it lives in the record.
struct TAddressField {
  std::string_view Key;
  std::string TNetInfo::*Member;
};

// The six address members, in the order the store writes them and the editor shows
// them. Everything that goes through the address members one by one reads this table.
inline constexpr std::array<TAddressField, 6> kAddressFields = {{
    {"IP", &TNetInfo::IP},
    {"SN", &TNetInfo::SN},
    {"DG", &TNetInfo::DG},
    {"DNS", &TNetInfo::DNS},
    {"ADNS", &TNetInfo::ADNS},
    {"WINS", &TNetInfo::WINS},
}};
