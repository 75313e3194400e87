// Reads the adapters once and prints who each one is, for rename-e2e.sh to see whether an
// adapter keeps its identity when the system renames it:
//   name|GUID|hardware address
// A failed reading prints "error|code|text" on stderr and exits with 2.
#include <cstdio>

#include "Win32AdapterSource.h"

int main() {
  TWin32AdapterSource source;
  const TAdapterReading reading = source.Read();
  if (!reading.Ok) {
    std::fprintf(stderr, "error|%lu|%s\n", reading.Error, reading.ErrorText.c_str());
    return 2;
  }
  for (const TAdapterState& a : reading.Adapters)
    std::printf("%s|%s|%s\n", a.FriendlyName.c_str(), a.Id.c_str(), a.HardwareAddress.c_str());
  return 0;
}
