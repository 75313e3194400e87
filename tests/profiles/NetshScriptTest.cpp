#include "NetshScript.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using Lines = std::vector<std::string>;

struct ScriptCase {
  const char* name;
  TNetInfo profile;
  Lines lines;
};

class NetshScript : public testing::TestWithParam<ScriptCase> {};

TEST_P(NetshScript, LinesFollowTheProfile) {
  EXPECT_EQ(NetshScriptLines(GetParam().profile), GetParam().lines);
}

const TNetInfo kStatic{"LAN",      false,      "10.0.0.5", "255.0.0.0",
                       "10.0.0.1", "10.0.0.2", "10.0.0.3", "10.0.0.4"};

INSTANTIATE_TEST_SUITE_P(
    Cases, NetshScript,
    testing::Values(
        ScriptCase{"DhcpIgnoresAddresses",
                   TNetInfo{"Local Area Connection", true, "1.2.3.4", "x", "y", "z", "q", "w"},
                   {"pushd interface ip", "set address name=\"Local Area Connection\" source=dhcp",
                    "set dns name=\"Local Area Connection\" source=dhcp",
                    "set wins name=\"Local Area Connection\" source=dhcp", "popd"}},
        ScriptCase{"StaticWithAlternateDns",
                   kStatic,
                   {"pushd interface ip",
                    "set address name=\"LAN\" source=static addr=10.0.0.5 mask=255.0.0.0",
                    "set address name=\"LAN\" gateway=10.0.0.1 gwmetric=0",
                    "set dns name=\"LAN\" source=static addr=10.0.0.2",
                    "add dns name = \"LAN\" addr = 10.0.0.3",
                    "set wins name=\"LAN\" source=static addr=10.0.0.4", "popd"}},
        ScriptCase{"StaticWithoutAlternateDns",
                   TNetInfo{"LAN", false, "10.0.0.5", "255.0.0.0", "none", "none", "none", "none"},
                   {"pushd interface ip",
                    "set address name=\"LAN\" source=static addr=10.0.0.5 mask=255.0.0.0",
                    "set address name=\"LAN\" gateway=none gwmetric=0",
                    "set dns name=\"LAN\" source=static addr=none",
                    "set wins name=\"LAN\" source=static addr=none", "popd"}},
        // Only the exact lower-case word stands for "no alternate server".
        ScriptCase{"AlternateDnsNoneIsCaseSensitive",
                   TNetInfo{"L", false, "a", "b", "c", "d", "None", "e"},
                   {"pushd interface ip", "set address name=\"L\" source=static addr=a mask=b",
                    "set address name=\"L\" gateway=c gwmetric=0",
                    "set dns name=\"L\" source=static addr=d", "add dns name = \"L\" addr = None",
                    "set wins name=\"L\" source=static addr=e", "popd"}},
        // A profile made by New and exported as stored: every line is still written.
        ScriptCase{
            "EmptyMembers",
            TNetInfo{},
            {"pushd interface ip", "set address name=\"\" source=static addr= mask=",
             "set address name=\"\" gateway= gwmetric=0", "set dns name=\"\" source=static addr=",
             "add dns name = \"\" addr = ", "set wins name=\"\" source=static addr=", "popd"}},
        // The masked editor form, as exported: blanks inside, the line still added.
        ScriptCase{
            "MaskedFormAsStored",
            TNetInfo{"LAN", false, "10 .0  .0  .5  ", "   .   .   .   ", "   .   .   .   ",
                     "   .   .   .   ", "   .   .   .   ", "   .   .   .   "},
            {"pushd interface ip",
             "set address name=\"LAN\" source=static addr=10 .0  .0  .5   mask=   .   .   .   ",
             "set address name=\"LAN\" gateway=   .   .   .    gwmetric=0",
             "set dns name=\"LAN\" source=static addr=   .   .   .   ",
             "add dns name = \"LAN\" addr =    .   .   .   ",
             "set wins name=\"LAN\" source=static addr=   .   .   .   ", "popd"}},
        ScriptCase{"QuoteInLanIsNotEscaped",
                   TNetInfo{"My \"Fast\" LAN", true, "", "", "", "", "", ""},
                   {"pushd interface ip", "set address name=\"My \"Fast\" LAN\" source=dhcp",
                    "set dns name=\"My \"Fast\" LAN\" source=dhcp",
                    "set wins name=\"My \"Fast\" LAN\" source=dhcp", "popd"}}),
    [](const testing::TestParamInfo<ScriptCase>& param) { return std::string(param.param.name); });

TEST(NetshScriptText, SixLineExampleBytes) {
  const TNetInfo profile{"Local Area Connection",
                         false,
                         "10.0.0.5",
                         "255.255.255.0",
                         "10.0.0.1",
                         "10.0.0.1",
                         "none",
                         "none"};
  EXPECT_EQ(NetshScriptText(profile),
            "pushd interface ip\r\n"
            "set address name=\"Local Area Connection\" source=static addr=10.0.0.5 "
            "mask=255.255.255.0\r\n"
            "set address name=\"Local Area Connection\" gateway=10.0.0.1 gwmetric=0\r\n"
            "set dns name=\"Local Area Connection\" source=static addr=10.0.0.1\r\n"
            "set wins name=\"Local Area Connection\" source=static addr=none\r\n"
            "popd\r\n");
}

TEST(NetshScriptText, BytesPassThroughUnchanged) {
  // A connection name in the ANSI code page (here 0xE9, e-acute in 1252) is written as
  // the single byte it is; nothing precedes the first line.
  const std::string text = NetshScriptText(TNetInfo{"R\xE9seau", true, "", "", "", "", "", ""});
  EXPECT_EQ(text.substr(0, 18), "pushd interface ip");
  EXPECT_NE(text.find("name=\"R\xE9seau\" source=dhcp\r\n"), std::string::npos);
}

}  // namespace
