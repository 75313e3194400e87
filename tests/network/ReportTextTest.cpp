#include "ReportText.h"

#include <gtest/gtest.h>

namespace {

TEST(OneLine, JoinsLinesAndDropsTheTrailingBreak) {
  EXPECT_EQ(OneLine("Access is denied.\r\n"), "Access is denied.");
  EXPECT_EQ(OneLine("First line.\r\n\r\nSecond line.\n"), "First line. Second line.");
  EXPECT_EQ(OneLine(""), "");
}

}  // namespace
