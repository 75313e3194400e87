#include "CaptionComparison.h"

#include <windows.h>

int CompareCaptions(const std::string& a, const std::string& b) {
  return lstrcmpA(a.c_str(), b.c_str());
}
