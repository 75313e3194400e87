#include "OfferText.h"

namespace {

// "Office", "Office and Lab", "Office, Lab and Home".
std::string NamesInProse(const std::vector<std::string>& names) {
  std::string text;
  for (std::size_t i = 0; i < names.size(); ++i) {
    if (i > 0) text += i + 1 == names.size() ? " and " : ", ";
    text += names[i];
  }
  return text;
}

}  // namespace

TOfferText OfferText(const std::string& adapter, const std::vector<std::string>& captions) {
  const std::string where = " (" + adapter + ").";
  if (captions.size() == 1)
    return {"Network recognised",
            captions.front() + "'s network is here" + where + " Click to switch."};
  return {"Networks recognised",
          "The networks of " + NamesInProse(captions) + " are here" + where + " Click to choose."};
}
