#include "CaptionOrder.h"

#include <algorithm>

namespace {

// Word sort: hyphen and apostrophe weigh nothing at the first level.
bool IsIgnoredInWords(unsigned char c) {
  return c == '-' || c == '\'';
}

// First level: symbols, then digits, then letters (case folded), then everything else.
int PrimaryWeight(unsigned char c) {
  if (c >= 'a' && c <= 'z') return 0x300 + (c - 'a');
  if (c >= 'A' && c <= 'Z') return 0x300 + (c - 'A');
  if (c >= '0' && c <= '9') return 0x200 + (c - '0');
  if (c < 0x80) return 0x100 + c;
  return 0x400 + c;
}

// Third level: lower case before upper case.
int CaseWeight(unsigned char c) {
  return (c >= 'A' && c <= 'Z') ? 1 : 0;
}

int Sign(int value) {
  return (value > 0) - (value < 0);
}

}  // namespace

int CompareCaptionsLikeLocale(std::string_view a, std::string_view b) {
  size_t i = 0;
  size_t j = 0;
  int caseDifference = 0;
  for (;;) {
    while (i < a.size() && IsIgnoredInWords(static_cast<unsigned char>(a[i]))) ++i;
    while (j < b.size() && IsIgnoredInWords(static_cast<unsigned char>(b[j]))) ++j;
    if (i == a.size() || j == b.size()) break;
    const auto ca = static_cast<unsigned char>(a[i]);
    const auto cb = static_cast<unsigned char>(b[j]);
    if (int primary = PrimaryWeight(ca) - PrimaryWeight(cb)) return Sign(primary);
    if (caseDifference == 0) caseDifference = CaseWeight(ca) - CaseWeight(cb);
    ++i;
    ++j;
  }
  if (i != a.size()) return 1;
  if (j != b.size()) return -1;
  if (caseDifference != 0) return Sign(caseDifference);
  // Equal but for ignored characters or nothing at all: fall back to the bytes, so that
  // only identical captions compare equal.
  return Sign(a.compare(b));
}
