// The Win32 source's two readings of this computer's adapters agree: the names alone
// list the same adapters, in the same order, as a full reading.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "Win32AdapterSource.h"

namespace {

std::vector<std::string> Names(const TAdapterReading& reading) {
  std::vector<std::string> names;
  for (const TAdapterState& adapter : reading.Adapters) names.push_back(adapter.FriendlyName);
  return names;
}

TEST(Win32AdapterSourceTest, TheNamesAloneAreTheAdaptersOfAFullReading) {
  TWin32AdapterSource source;
  const TAdapterReading full = source.Read();
  const TAdapterReading names = source.ReadNames();
  ASSERT_TRUE(full.Ok) << full.ErrorText;
  ASSERT_TRUE(names.Ok) << names.ErrorText;
  EXPECT_FALSE(full.Adapters.empty()) << "this computer has a network adapter";
  EXPECT_EQ(Names(names), Names(full));
  for (const TAdapterState& adapter : names.Adapters) {
    EXPECT_TRUE(adapter.Addresses.empty()) << adapter.FriendlyName << ": names only";
  }
  // The buffer kept between readings serves both kinds in turn.
  EXPECT_EQ(Names(source.Read()), Names(full));
}

}  // namespace
