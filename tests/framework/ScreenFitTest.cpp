#include "ScreenFit.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>

// Found by the test's printer (beside the type, in the global namespace).
void PrintTo(const TScreenRect& r, std::ostream* out) {
  *out << "(" << r.Left << "," << r.Top << ")-(" << r.Right << "," << r.Bottom << ")";
}

namespace {

struct FitCase {
  const char* Name;
  TScreenRect Window;
  TScreenRect WorkArea;
  TScreenRect Fitted;
};

void PrintTo(const FitCase& c, std::ostream* out) {
  *out << c.Name;
}

// A 1280 x 800 screen with a 40-pixel taskbar at the bottom, and a second monitor to the
// left of it whose coordinates are negative. The window is designed at (372, 266),
// 440 x 411 at 100 %: 660 x 617 at 150 %, 880 x 822 at 200 %.
constexpr TScreenRect kWork{0, 0, 1280, 760};
constexpr TScreenRect kLeftMonitor{-1024, 0, 0, 728};

const FitCase kCases[] = {
    {"DesignedAt100Unchanged", {372, 266, 812, 677}, kWork, {372, 266, 812, 677}},
    {"At150MovedUpToTheBottom", {372, 266, 1032, 883}, kWork, {372, 143, 1032, 760}},
    {"At200TallerThanTheScreenCutAndAtTheTop", {372, 266, 1252, 1088}, kWork, {372, 0, 1252, 760}},
    {"WiderThanTheScreenCutAndAtTheLeft", {100, 10, 1500, 110}, kWork, {0, 10, 1280, 110}},
    {"PastTheRightEdgeMovedLeft", {1000, 100, 1400, 300}, kWork, {880, 100, 1280, 300}},
    {"AboveAndLeftMovedInto", {-50, -20, 150, 80}, kWork, {0, 0, 200, 100}},
    {"ExactlyTheWorkAreaUnchanged", kWork, kWork, kWork},
    {"NegativeCoordinatesOfAMonitorLeft", {-300, 600, 100, 800}, kLeftMonitor, {-400, 528, 0, 728}},
};

class WorkAreaFit : public testing::TestWithParam<FitCase> {};

TEST_P(WorkAreaFit, MovesTheLeastAndCutsOnlyWhatIsTooLarge) {
  EXPECT_EQ(FitIntoWorkArea(GetParam().Window, GetParam().WorkArea), GetParam().Fitted);
}

INSTANTIATE_TEST_SUITE_P(Cases, WorkAreaFit, testing::ValuesIn(kCases),
                         [](const testing::TestParamInfo<FitCase>& testCase) {
                           return std::string(testCase.param.Name);
                         });

}  // namespace
