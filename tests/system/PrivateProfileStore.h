#pragma once

// The profile store read and written through the Windows private-profile functions, one
// key per call, for comparison with our own layer. Buffers grow until everything fits.
#include <windows.h>

#include <string>
#include <unordered_set>
#include <vector>

#include "IniText.h"
#include "ProfileIni.h"

inline std::vector<std::string> PrivateProfileSectionNames(const std::string& path) {
  for (DWORD size = 1 << 16;; size *= 2) {
    std::string buffer(size, '\0');
    const DWORD length = GetPrivateProfileSectionNamesA(buffer.data(), size, path.c_str());
    if (length + 2 >= size) continue;
    std::vector<std::string> names;
    for (const char* name = buffer.data(); *name; name += names.back().size() + 1) {
      names.emplace_back(name);
    }
    return names;
  }
}

inline std::string PrivateProfileValue(const std::string& path, const std::string& section,
                                       const char* key) {
  for (DWORD size = 1 << 16;; size *= 2) {
    std::string buffer(size, '\0');
    const DWORD length =
        GetPrivateProfileStringA(section.c_str(), key, "", buffer.data(), size, path.c_str());
    if (length + 1 >= size) continue;
    buffer.resize(length);
    return buffer;
  }
}

// One entry per section name, the first of names that differ only in ASCII case, as our
// own loader does: the functions list such names twice but read only the first section.
inline TProfileList LoadThroughPrivateProfile(const std::string& path) {
  TProfileList profiles;
  std::unordered_set<std::string> seen;
  for (const std::string& caption : PrivateProfileSectionNames(path)) {
    if (!seen.insert(FoldedIniName(caption)).second) continue;
    TNetInfo p;
    p.LAN = PrivateProfileValue(path, caption, "LAN");
    p.DHCP = GetPrivateProfileIntA(caption.c_str(), "DHCP", 0, path.c_str()) != 0;
    p.IP = PrivateProfileValue(path, caption, "IP");
    p.SN = PrivateProfileValue(path, caption, "SN");
    p.DG = PrivateProfileValue(path, caption, "DG");
    p.DNS = PrivateProfileValue(path, caption, "DNS");
    p.ADNS = PrivateProfileValue(path, caption, "ADNS");
    p.WINS = PrivateProfileValue(path, caption, "WINS");
    profiles.push_back({caption, p});
  }
  return profiles;
}

// Writes the list key by key into a new file, each key its own call.
inline bool SaveThroughPrivateProfile(const TProfileList& profiles, const std::string& path) {
  DeleteFileA(path.c_str());
  for (const TProfileEntry& entry : profiles) {
    const TNetInfo& p = entry.Profile;
    const char* caption = entry.Caption.c_str();
    const char* file = path.c_str();
    if (!WritePrivateProfileStringA(caption, "LAN", p.LAN.c_str(), file) ||
        !WritePrivateProfileStringA(caption, "DHCP", p.DHCP ? "1" : "0", file) ||
        !WritePrivateProfileStringA(caption, "IP", p.IP.c_str(), file) ||
        !WritePrivateProfileStringA(caption, "SN", p.SN.c_str(), file) ||
        !WritePrivateProfileStringA(caption, "DG", p.DG.c_str(), file) ||
        !WritePrivateProfileStringA(caption, "DNS", p.DNS.c_str(), file) ||
        !WritePrivateProfileStringA(caption, "ADNS", p.ADNS.c_str(), file) ||
        !WritePrivateProfileStringA(caption, "WINS", p.WINS.c_str(), file)) {
      return false;
    }
  }
  return true;
}
