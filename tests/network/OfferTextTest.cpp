// The offer balloon's words for one profile and for several.
#include "OfferText.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

TEST(OfferText, NamesTheProfilesInProseAndSaysWhatAClickDoes) {
  struct TCase {
    std::vector<std::string> captions;
    const char* title;
    const char* text;
  };
  const TCase cases[] = {
      {{"Office"}, "Network recognised", "Office's network is here (Ethernet). Click to switch."},
      {{"Office", "Lab"},
       "Networks recognised",
       "The networks of Office and Lab are here (Ethernet). Click to choose."},
      {{"Office", "Lab", "Home"},
       "Networks recognised",
       "The networks of Office, Lab and Home are here (Ethernet). Click to choose."},
  };
  for (const TCase& c : cases) {
    const TOfferText offer = OfferText("Ethernet", c.captions);
    EXPECT_EQ(offer.Title, c.title) << c.text;
    EXPECT_EQ(offer.Text, c.text);
  }
}

}  // namespace
