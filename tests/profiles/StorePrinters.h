#pragma once

// Readable failure messages for the store's types.
#include <ostream>
#include <string_view>

#include "IniFile.h"
#include "ProfileIni.h"

inline void PrintTo(const TNetInfo& p, std::ostream* out) {
  const auto q = [](std::string_view s) { return "'" + std::string(s) + "'"; };
  *out << "{LAN=" << q(p.LAN) << " DHCP=" << p.DHCP << " IP=" << q(p.IP) << " SN=" << q(p.SN)
       << " DG=" << q(p.DG) << " DNS=" << q(p.DNS) << " ADNS=" << q(p.ADNS)
       << " WINS=" << q(p.WINS) << "}";
}

inline void PrintTo(const TProfileEntry& e, std::ostream* out) {
  *out << "[" << e.Caption << "] ";
  PrintTo(e.Profile, out);
}

inline void PrintTo(const TIniKey& k, std::ostream* out) {
  *out << "'" << k.Name << "'" << (k.HasValue ? "='" + k.Value + "'" : std::string(" (no =)"));
}

inline void PrintTo(const TIniSection& s, std::ostream* out) {
  *out << "[" << s.Name << "] " << s.Keys.size() << " keys: ";
  for (const TIniKey& k : s.Keys) {
    PrintTo(k, out);
    *out << "; ";
  }
}
