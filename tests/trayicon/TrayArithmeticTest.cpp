#include "TrayArithmetic.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

namespace {

TEST(TrayTipText, CutsTheHintTo127Characters) {
  std::string hint(200, 'h');
  hint[126] = 'x';
  hint[127] = 'y';
  const TTrayTip tip = TrayTipText(hint, true);
  EXPECT_EQ(std::string(tip.data()), hint.substr(0, 127));
  EXPECT_EQ(tip[126], 'x');
  EXPECT_EQ(tip[127], '\0');
}

TEST(TrayTipText, EmptyWhenHiddenOrAbsent) {
  const TTrayTip zeros{};
  EXPECT_EQ(TrayTipText("Ardenix", false), zeros);
  EXPECT_EQ(TrayTipText("", true), zeros);
  const TTrayTip shortTip = TrayTipText("Ardenix", true);
  EXPECT_EQ(std::string(shortTip.data()), "Ardenix");
  EXPECT_TRUE(std::all_of(shortTip.begin() + 7, shortTip.end(), [](char c) { return c == 0; }));
}

struct IndexCase {
  std::int32_t value, count, clamped;
};

TEST(ClampedIconIndex, KeepsIndexInsideTheListFromAbove) {
  const IndexCase cases[] = {{10, 3, 2}, {3, 3, 2},   {2, 3, 2},   {0, 3, 0}, {0, 0, -1},
                             {5, 0, -1}, {-4, 3, -4}, {-4, 0, -4}, {0, 1, 0}};
  for (const IndexCase& c : cases)
    EXPECT_EQ(ClampedIconIndex(c.value, c.count), c.clamped) << c.value << " of " << c.count;
}

TEST(NextCycleIndex, RunsThroughTheListAndWraps) {
  std::int32_t index = 0;
  std::string seen;
  for (int step = 0; step < 5; ++step) {
    index = NextCycleIndex(index, 3);
    seen += std::to_string(index);
  }
  EXPECT_EQ(seen, "12012");
  EXPECT_EQ(NextCycleIndex(0, 1), 0);
  EXPECT_EQ(NextCycleIndex(-1, 0), 0);
  EXPECT_EQ(NextCycleIndex(7, 3), 0);
}

TEST(ReportsTaskbarRestart, FromVersion4_71On) {
  struct VersionCase {
    std::uint32_t major, minor;
    bool reports;
  };
  const VersionCase cases[] = {{4, 70, false}, {4, 71, true}, {4, 72, true}, {3, 99, false},
                               {5, 81, true},  {6, 0, true},  {4, 0, false}};
  for (const VersionCase& c : cases)
    EXPECT_EQ(ReportsTaskbarRestart(c.major, c.minor), c.reports) << c.major << "." << c.minor;
}

}  // namespace
