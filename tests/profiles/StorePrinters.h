#pragma once

// Readable failure messages for the store's types.
#include <iomanip>
#include <ostream>
#include <string_view>

#include "IniFile.h"
#include "ProfileIni.h"

inline void PrintTo(const TNetInfo& p, std::ostream* out) {
  const auto q = [](std::string_view s) { return std::quoted(s, '\''); };
  *out << "{LAN=" << q(p.LAN) << " DHCP=" << p.DHCP << " IP=" << q(p.IP) << " SN=" << q(p.SN)
       << " DG=" << q(p.DG) << " DNS=" << q(p.DNS) << " ADNS=" << q(p.ADNS) << " WINS=" << q(p.WINS)
       << " AdapterId=" << q(p.AdapterId) << " AdapterMac=" << q(p.AdapterMac) << "}";
}

inline void PrintTo(const TProfileEntry& e, std::ostream* out) {
  *out << "[" << e.Caption << "] ";
  PrintTo(e.Profile, out);
}

inline void PrintTo(const TIniKey& k, std::ostream* out) {
  *out << std::quoted(k.Name, '\'');
  if (k.HasValue) {
    *out << "=" << std::quoted(k.Value, '\'');
  } else {
    *out << " (no =)";
  }
}

inline void PrintTo(const TIniSection& s, std::ostream* out) {
  *out << "[" << s.Name << "] " << s.Keys.size() << " keys: ";
  for (const TIniKey& k : s.Keys) {
    PrintTo(k, out);
    *out << "; ";
  }
}
