#include "NetworkArrival.h"

void TNetworkArrival::Check(const TAdapterReading& reading,
                            const std::vector<TNamedProfile>& profiles,
                            const std::vector<std::size_t>& active) {
  if (!reading.Ok) return;
  const std::vector<TAdapterRecognition> found = recogniser_.Recognise(reading, profiles, active);
  std::vector<std::string> marked;
  for (const TAdapterRecognition& adapter : found) {
    marked.insert(marked.end(), adapter.Recognised.begin(), adapter.Recognised.end());
  }
  if (actions_.Mark) actions_.Mark(marked);
  for (const TAdapterRecognition& adapter : found) {
    if (adapter.ActOn.empty()) continue;
    const bool switched = adapter.Action == TNetworkAction::Switch && actions_.Switch &&
                          actions_.Switch(adapter.ActOn.front());
    if (!switched && adapter.Action != TNetworkAction::Nothing && actions_.Offer)
      actions_.Offer(adapter.Adapter, adapter.ActOn);
  }
}
