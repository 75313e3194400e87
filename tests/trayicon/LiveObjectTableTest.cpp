#include "LiveObjectTable.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <vector>

namespace {

struct TServed {
  int Handled = 0;
};

using TTable = TLiveObjectTable<std::uint8_t, TServed>;  // small ids, so that they wrap

TEST(LiveObjectTable, IdentifiersSkipZeroAndThoseInUseWhenTheyWrap) {
  TTable table;
  std::vector<TServed> served(256);
  const std::uint8_t first = table.Add(served[0]);
  EXPECT_EQ(first, 1);
  // Fill every other identifier up to the top, then let go of all but the first.
  std::vector<std::uint8_t> ids;
  for (int i = 1; i < 255; ++i) ids.push_back(table.Add(served[static_cast<size_t>(i)]));
  EXPECT_EQ(ids.back(), std::numeric_limits<std::uint8_t>::max());
  for (std::uint8_t id : ids) table.Remove(id);
  // After the wrap: not 0, not 1 (still in use).
  EXPECT_EQ(table.Add(served[255]), 2);
}

TEST(LiveObjectTable, AMessageForAnIdentifierLetGoFindsNothing) {
  TTable table;
  TServed a, b;
  const auto idA = table.Add(a);
  const auto idB = table.Add(b);
  table.Remove(idA);
  auto handle = [](TServed& served) { ++served.Handled; };
  table.Dispatch(idA, handle);
  table.Dispatch(idB, handle);
  table.Dispatch(0, handle);
  EXPECT_EQ(a.Handled, 0);
  EXPECT_EQ(b.Handled, 1);
}

TEST(LiveObjectTable, CountsAsDispatchingOnlyWhileAHandlerRunsEvenWhenItLetsItselfGo) {
  TTable table;
  TServed served;
  const auto id = table.Add(served);
  EXPECT_FALSE(table.Dispatching());
  bool insideOuter = false;
  bool insideNested = false;
  table.Dispatch(id, [&](TServed&) {
    insideOuter = table.Dispatching();
    table.Dispatch(id, [&](TServed&) { insideNested = table.Dispatching(); });
    table.Remove(id);  // an object freed by its own message
  });
  EXPECT_TRUE(insideOuter);
  EXPECT_TRUE(insideNested);
  EXPECT_FALSE(table.Dispatching());
  table.Dispatch(id, [](TServed& s) { ++s.Handled; });
  EXPECT_EQ(served.Handled, 0);
}

TEST(LiveObjectTable, AHandlerThatThrowsLeavesTheCountRight) {
  TTable table;
  TServed served;
  const auto id = table.Add(served);
  EXPECT_THROW(table.Dispatch(id, [](TServed&) { throw 1; }), int);
  EXPECT_FALSE(table.Dispatching());
}

}  // namespace
