#include "AdapterState.h"

#include <algorithm>

std::string AddressWithPrefix(const TAdapterAddress& address) {
  return address.Address + "/" + std::to_string(address.PrefixLength);
}

std::vector<std::string> AddressesWithPrefix(const std::vector<TAdapterAddress>& addresses) {
  std::vector<std::string> texts;
  texts.reserve(addresses.size());
  for (const TAdapterAddress& address : addresses) texts.push_back(AddressWithPrefix(address));
  return texts;
}

const TAdapterState* FindAdapter(const TAdapterReading& reading, const std::string& name) {
  auto found = std::find_if(reading.Adapters.begin(), reading.Adapters.end(),
                            [&](const TAdapterState& adapter) { return adapter.FriendlyName == name; });
  return found == reading.Adapters.end() ? nullptr : &*found;
}
