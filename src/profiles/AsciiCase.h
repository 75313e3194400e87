#pragma once

#include <algorithm>
#include <string_view>

// Letter case as ASCII folds it: A-Z compare as a-z, every other byte only as itself. The
// store's names, adapter names as Windows compares them and the store's words all compare
// this way.
inline char FoldedAscii(char c) {
  return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

inline bool EqualFoldingAscii(std::string_view a, std::string_view b) {
  return std::equal(a.begin(), a.end(), b.begin(), b.end(),
                    [](char x, char y) { return FoldedAscii(x) == FoldedAscii(y); });
}
