#include "ScreenFit.h"

#include <algorithm>

namespace {

// The start of a span of `length` moved the least into [low, high); the span is no longer
// than high - low.
int FitSpan(int start, int length, int low, int high) {
  return std::clamp(start, low, high - length);
}

}  // namespace

TScreenRect FitIntoWorkArea(const TScreenRect& window, const TScreenRect& workArea) {
  const int width = std::min(window.Width(), workArea.Width());
  const int height = std::min(window.Height(), workArea.Height());
  const int left = FitSpan(window.Left, width, workArea.Left, workArea.Right);
  const int top = FitSpan(window.Top, height, workArea.Top, workArea.Bottom);
  return {left, top, left + width, top + height};
}
