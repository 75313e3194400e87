// The list's caption order. Natively the platform-free rule is checked; under Wine the
// same table is also put to lstrcmpA, the comparison the list really sorts with, so the
// rule and the system cannot drift apart unnoticed.
#include <gtest/gtest.h>

#include <string>

#include "CaptionOrder.h"

#ifdef _WIN32
#include <windows.h>
#endif

namespace {

struct TOrderedPair {
  const char* first;
  const char* second;
};

// Each pair in list order: first sorts strictly before second.
const TOrderedPair kOrderedPairs[] = {
    {"alpha", "Alpha"},     // same letters: lower case first
    {"Alpha", "beta"},      // letters before case: not by character code
    {"beta", "Zeta"},       //
    {"alpha", "Zeta"},      //
    {"", "a"},              // the empty caption first
    {"Alp", "alpha"},       // a prefix before its longer text, whatever the case
    {"Home", "home2"},      //
    {"1 Office", "Alpha"},  // digits before letters
    {"Item 10", "Item 2"},  // digit by digit, not by number
    {" x", "0"},            // blank and punctuation before digits
    {"a b", "ab"},          // a blank before a letter
    {"Current Configuration", "current configurationA"},
};

void ExpectOrdered(int (*compare)(const std::string&, const std::string&), const char* name) {
  for (const TOrderedPair& pair : kOrderedPairs) {
    EXPECT_LT(compare(pair.first, pair.second), 0)
        << name << ": '" << pair.first << "' should come before '" << pair.second << "'";
    EXPECT_GT(compare(pair.second, pair.first), 0)
        << name << ": '" << pair.second << "' should come after '" << pair.first << "'";
  }
}

int LikeLocale(const std::string& a, const std::string& b) {
  return CompareCaptionsLikeLocale(a, b);
}

TEST(CaptionOrder, ListsCaptionsAlphabeticallyLowerCaseFirst) {
  ExpectOrdered(LikeLocale, "rule");
}

TEST(CaptionOrder, OnlyIdenticalCaptionsAreEqual) {
  EXPECT_EQ(CompareCaptionsLikeLocale("Home", "Home"), 0);
  EXPECT_EQ(CompareCaptionsLikeLocale("", ""), 0);
  EXPECT_NE(CompareCaptionsLikeLocale("co-op", "coop"), 0);
}

#ifdef _WIN32
int SystemOrder(const std::string& a, const std::string& b) {
  return lstrcmpA(a.c_str(), b.c_str());
}

TEST(CaptionOrder, SystemComparisonAgreesWithTheRule) {
  ExpectOrdered(SystemOrder, "lstrcmpA");
}
#endif

}  // namespace
