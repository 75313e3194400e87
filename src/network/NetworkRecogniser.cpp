#include "NetworkRecogniser.h"

#include <algorithm>

#include "HardwareAddress.h"

namespace {

std::string AdapterKey(const TAdapterState& adapter) {
  return adapter.Id.empty() ? "name:" + adapter.FriendlyName : adapter.Id;
}

// What the adapter's network is known by; empty when it is on none that can be told.
std::string NetworkKey(const TAdapterState& adapter) {
  if (!adapter.Up) return {};
  const auto gateway = ParseHardwareAddress(adapter.GatewayHardwareAddress);
  if (!gateway && adapter.WifiNetwork.empty()) return {};
  // The separator cannot start a hardware address, so the two parts cannot run together.
  return (gateway ? HardwareAddressText(*gateway) : std::string()) + "|" + adapter.WifiNetwork;
}

bool IsActive(const std::vector<std::size_t>& active, std::size_t index) {
  return std::find(active.begin(), active.end(), index) != active.end();
}

}  // namespace

std::vector<TAdapterRecognition> TNetworkRecogniser::Recognise(
    const TAdapterReading& reading, const std::vector<TNamedProfile>& profiles,
    const std::vector<std::size_t>& active) {
  if (!reading.Ok) return {};
  // The candidates of each adapter, by the adapter's place in the reading.
  std::vector<std::vector<std::size_t>> candidates(reading.Adapters.size());
  for (std::size_t i = 0; i < profiles.size(); ++i) {
    if (NetworkActionOf(profiles[i].Normalised) == TNetworkAction::Nothing) continue;
    if (const TAdapterState* adapter = AdapterOnProfileNetwork(reading, profiles[i].Normalised))
      candidates[static_cast<std::size_t>(adapter - reading.Adapters.data())].push_back(i);
  }

  std::map<std::string, TArrival> arrivals;
  std::vector<TAdapterRecognition> recognitions;
  for (std::size_t a = 0; a < reading.Adapters.size(); ++a) {
    const TAdapterState& adapter = reading.Adapters[a];
    const std::string key = AdapterKey(adapter);
    TArrival arrival;
    arrival.Network = NetworkKey(adapter);
    if (auto before = arrivals_.find(key); before != arrivals_.end() &&
                                           before->second.Network == arrival.Network)
      arrival = before->second;
    const std::vector<std::size_t>& here = candidates[a];
    if (!here.empty()) {
      TAdapterRecognition recognition;
      recognition.Adapter = adapter.FriendlyName;
      for (std::size_t i : here) recognition.Recognised.push_back(profiles[i].Caption);
      const bool anyInForce = std::any_of(here.begin(), here.end(),
                                          [&](std::size_t i) { return IsActive(active, i); });
      if (!arrival.Decided && !anyInForce) {
        recognition.Action = here.size() == 1 ? NetworkActionOf(profiles[here[0]].Normalised)
                                              : TNetworkAction::Offer;
        recognition.ActOn = recognition.Recognised;
      }
      arrival.Decided = true;
      recognitions.push_back(std::move(recognition));
    }
    arrivals[key] = std::move(arrival);
  }
  arrivals_ = std::move(arrivals);
  return recognitions;
}
