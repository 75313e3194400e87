#pragma once

#include <string>
#include <vector>

// The balloon that offers to switch to the profiles whose network the adapter named
// `adapter` is on now (at least one caption, in the order given):
//   one:     "Office's network is here (Ethernet). Click to switch."
//   several: "The networks of Office, Lab and Home are here (Ethernet). Click to choose."
struct TOfferText {
  std::string Title;
  std::string Text;
};
TOfferText OfferText(const std::string& adapter, const std::vector<std::string>& captions);
