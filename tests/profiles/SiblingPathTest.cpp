#include "SiblingPath.h"

#include <gtest/gtest.h>

namespace {

struct SiblingCase {
  const char* path;
  const char* extension;
  const char* expected;
};

class ReplaceExtensionTest : public testing::TestWithParam<SiblingCase> {};

TEST_P(ReplaceExtensionTest, DropsTheTextFromTheLastDotOfTheName) {
  const SiblingCase& c = GetParam();
  EXPECT_EQ(ReplaceExtension(c.path, c.extension), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ReplaceExtensionTest,
    testing::Values(
        SiblingCase{"C:\\Tools\\lanpick.exe", ".INI", "C:\\Tools\\lanpick.INI"},
        SiblingCase{"C:\\Tools\\lanpick.exe", ".TMP", "C:\\Tools\\lanpick.TMP"},
        SiblingCase{"Home", ".BAT", "Home.BAT"}, SiblingCase{"Site.2005", ".BAT", "Site.BAT"},
        SiblingCase{"a\\b", ".BAT", "a\\b.BAT"},
        SiblingCase{"C:\\a.b\\c", ".TMP", "C:\\a.b\\c.TMP"},
        SiblingCase{"C:name.x", ".TMP", "C:name.TMP"}, SiblingCase{"C:.x", ".TMP", "C:.TMP"},
        SiblingCase{"archive.tar.gz", ".BAT", "archive.tar.BAT"},
        SiblingCase{"trailing.", ".BAT", "trailing.BAT"}, SiblingCase{"", ".BAT", ".BAT"},
        SiblingCase{"C:\\Program Files\\Ardenix\\Ardenix.exe", ".TMP",
                    "C:\\Program Files\\Ardenix\\Ardenix.TMP"}));

}  // namespace
