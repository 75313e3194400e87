#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "NetInfo.h"

// One profile as the store holds it: its caption (the section name) and its record.
struct TProfileEntry {
  std::string Caption;
  TNetInfo Profile;

  friend bool operator==(const TProfileEntry&, const TProfileEntry&) = default;
};

using TProfileList = std::vector<TProfileEntry>;

// The profiles of a store file's bytes, one per section in file order. A caption that
// repeats (ignoring ASCII case) stands once, at its first place, with the values of its
// first section, as the private-profile functions read such a file. Sections without a
// name are skipped; keys are matched by name in any order, unknown keys ignored, and a
// missing key reads as empty text (DHCP: false).
TProfileList ProfilesFromIni(std::string_view bytes);

// The bytes of a store holding the profiles, in list order: one section per caption with
// the keys LAN, DHCP ("1" or "0"), IP, SN, DG, DNS, ADNS, WINS, then AdapterId and
// AdapterMac, each only when it holds something (a store of profiles without an identity
// has the eight keys alone, byte for byte as before there was one). Entries whose captions
// name the same section (equal once stripped of end blanks, ignoring ASCII case) are
// merged as writing them one after the other would merge them: the section keeps the
// first entry's place and spelling, the later entry's values win. An entry whose caption
// is empty once stripped cannot be stored and is left out.
std::string IniFromProfiles(const TProfileList& profiles);

// The profiles exactly as IniFromProfiles stores them: merged and with storable captions.
// Loading what IniFromProfiles wrote gives this list.
TProfileList StorableProfiles(const TProfileList& profiles);

// The DHCP value's reading: an integer in decimal, or in hexadecimal after "0x" or "0X",
// optionally signed, after any control characters or spaces; reading stops at the first
// character that is not a digit, and the number wraps at 32 bits. True when not 0; an
// empty or non-numeric text is false ('yes' is false, '2' and '1abc' are true).
bool DhcpFromText(std::string_view text);
