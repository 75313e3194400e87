// Feeds the store's reader any bytes: it must never crash, and what it loads must come
// back unchanged through a save and a second load.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "IniFile.h"
#include "ProfileIni.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  const TProfileList loaded = ProfilesFromIni(bytes);
  if (ProfilesFromIni(IniFromProfiles(loaded)) != loaded) std::abort();
  if (StorableProfiles(loaded) != loaded) std::abort();
  const TIniFile file = ParseIni(bytes);
  if (ParseIni(FormatIni(file)).size() != file.size()) std::abort();
  return 0;
}
