#include "AdapterState.h"

std::string AddressWithPrefix(const TAdapterAddress& address) {
  return address.Address + "/" + std::to_string(address.PrefixLength);
}

std::vector<std::string> AddressesWithPrefix(const std::vector<TAdapterAddress>& addresses) {
  std::vector<std::string> texts;
  texts.reserve(addresses.size());
  for (const TAdapterAddress& address : addresses) texts.push_back(AddressWithPrefix(address));
  return texts;
}
