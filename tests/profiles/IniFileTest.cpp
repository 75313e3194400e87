#include "IniFile.h"
#include "IniNameIndex.h"

#include <gtest/gtest.h>

#include <cctype>
#include <string>
#include <vector>

#include "StorePrinters.h"

namespace {

using namespace std::string_literals;

TIniKey Key(std::string name, std::string value) {
  return TIniKey{name, value, true};
}
TIniKey Bare(std::string name) {
  return TIniKey{name, "", false};
}

struct ParseCase {
  const char* what;
  std::string bytes;
  TIniFile expected;
};

class IniParse : public testing::TestWithParam<ParseCase> {};

TEST_P(IniParse, ReadsAsThePrivateProfileFunctionsDo) {
  EXPECT_EQ(ParseIni(GetParam().bytes), GetParam().expected) << GetParam().what;
}

INSTANTIATE_TEST_SUITE_P(
    LineEnds, IniParse,
    testing::Values(
        ParseCase{"CR LF",
                  "[A]\r\nk=1\r\n[B]\r\nk=2\r\n",
                  {{"A", {Key("k", "1")}}, {"B", {Key("k", "2")}}}},
        ParseCase{
            "LF only", "[A]\nk=1\n[B]\nk=2", {{"A", {Key("k", "1")}}, {"B", {Key("k", "2")}}}},
        ParseCase{
            "CR only", "[A]\rk=1\r[B]\rk=2\r", {{"A", {Key("k", "1")}}, {"B", {Key("k", "2")}}}},
        ParseCase{
            "mixed", "[A]\nk=1\r[B]\r\nk=2", {{"A", {Key("k", "1")}}, {"B", {Key("k", "2")}}}},
        ParseCase{
            "blank lines", "\r\n\r\n[A]\r\n\r\n  \t\r\nk=1\r\n\r\n", {{"A", {Key("k", "1")}}}},
        ParseCase{"UTF-8 byte-order mark",
                  "\xEF\xBB\xBF[A]\r\nk=\xC3\xA9\r\n",
                  {{"A", {Key("k", "\xC3\xA9")}}}},
        ParseCase{"empty file", "", {}}));

INSTANTIATE_TEST_SUITE_P(
    Sections, IniParse,
    testing::Values(
        ParseCase{
            "blanks inside and around the brackets", "  [ B ]  \r\nk=1", {{"B", {Key("k", "1")}}}},
        ParseCase{"name up to the last bracket", "[a]b]\r\n[D]junk\r\n", {{"a]b", {}}, {"D", {}}}},
        ParseCase{"no closing bracket: a key", "[A]\r\n[C\r\n", {{"A", {Bare("[C")}}}},
        ParseCase{"empty name", "[]\r\nk=1\r\n[ ]\r\n", {{"", {Key("k", "1")}}, {"", {}}}},
        ParseCase{"keys before the first section",
                  "x=1\r\ny\r\n[A]\r\n",
                  {{"", {Key("x", "1"), Bare("y")}}, {"A", {}}}},
        ParseCase{"commented-out header is a key",
                  "[A]\r\n;[B]\r\nk=1\r\n",
                  {{"A", {Bare(";[B]"), Key("k", "1")}}}},
        ParseCase{"duplicates kept as they stand",
                  "[S]\r\nK=a\r\nk=b\r\n[s]\r\n",
                  {{"S", {Key("K", "a"), Key("k", "b")}}, {"s", {}}}}));

INSTANTIATE_TEST_SUITE_P(
    Keys, IniParse,
    testing::Values(
        ParseCase{"blanks trimmed", "[A]\r\n k\t=\tv w \r\n", {{"A", {Key("k", "v w")}}}},
        ParseCase{"other blanks", "[A]\r\nk=\x0b\x0cv\x1a\r\n", {{"A", {Key("k", "v")}}}},
        ParseCase{
            "0xA0 is not a blank", "[A]\r\nk=\xA0v\xA0\r\n", {{"A", {Key("k", "\xA0v\xA0")}}}},
        ParseCase{"line without =", "[A]\r\nnoeq\r\n", {{"A", {Bare("noeq")}}}},
        ParseCase{"comment line", "[A]\r\n; LAN=x\r\n", {{"A", {Key("; LAN", "x")}}}},
        ParseCase{"value holds =", "[A]\r\nk=a=b\r\n", {{"A", {Key("k", "a=b")}}}},
        ParseCase{"empty name", "[A]\r\n=v\r\n", {{"A", {Key("", "v")}}}},
        ParseCase{"empty value", "[A]\r\nk=\r\n", {{"A", {Key("k", "")}}}}));

INSTANTIATE_TEST_SUITE_P(
    Quotes, IniParse,
    testing::Values(
        ParseCase{"double", "[A]\r\nk=  \"quoted\"  \r\n", {{"A", {Key("k", "quoted")}}}},
        ParseCase{"single", "[A]\r\nk='single'\r\n", {{"A", {Key("k", "single")}}}},
        ParseCase{"blanks kept inside", "[A]\r\nk=\" x \"\r\n", {{"A", {Key("k", " x ")}}}},
        ParseCase{"one pair only", "[A]\r\nk=\"\"\"\r\n", {{"A", {Key("k", "\"")}}}},
        ParseCase{"lone quote", "[A]\r\nk=\"\r\n", {{"A", {Key("k", "\"")}}}},
        ParseCase{"unmatched", "[A]\r\nk=\"ab'\r\n", {{"A", {Key("k", "\"ab'")}}}},
        ParseCase{"empty pair", "[A]\r\nk=''\r\n", {{"A", {Key("k", "")}}}},
        ParseCase{"not in names", "[\"A\"]\r\n\"k\"=1\r\n", {{"\"A\"", {Key("\"k\"", "1")}}}}));

INSTANTIATE_TEST_SUITE_P(
    NulBytes, IniParse,
    testing::Values(
        ParseCase{"value ends at NUL", "[P]\r\nk=ab\0cd\r\n"s, {{"P", {Key("k", "ab")}}}},
        ParseCase{"blank before NUL stays", "[P]\r\nk=x \0y\r\n"s, {{"P", {Key("k", "x ")}}}},
        ParseCase{"section name ends at NUL", "[Q\0R]\r\n[ S \0]\r\n"s, {{"Q", {}}, {"S", {}}}},
        ParseCase{"key name ends at NUL", "[Q]\r\nn\0m=3\r\n"s, {{"Q", {Key("n", "3")}}}},
        ParseCase{"only NULs", "\0\0\0"s, {{"", {Bare("")}}}}));

TEST(IniParse, LongLinesAndManySectionsReadWhole) {
  const std::string longValue(1 << 20, 'v');
  std::string bytes = "[A]\r\nk=" + longValue + "\r\n";
  for (int i = 0; i < 100000; ++i) bytes += "[S" + std::to_string(i) + "]\r\n";
  const TIniFile file = ParseIni(bytes);
  ASSERT_EQ(file.size(), 100001u);
  EXPECT_EQ(file[0].Keys.at(0).Value, longValue);
  EXPECT_EQ(file.back().Name, "S99999");
}

struct WriteCase {
  const char* what;
  TIniFile file;
  std::string written;
};

class IniFormat : public testing::TestWithParam<WriteCase> {};

TEST_P(IniFormat, WritesLinesThatReadBackAsGiven) {
  const WriteCase& c = GetParam();
  EXPECT_EQ(FormatIni(c.file), c.written) << c.what;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, IniFormat,
    testing::Values(
        WriteCase{"plain",
                  {{"A", {Key("k", "v"), Key("n", "")}}, {"B", {}}},
                  "[A]\r\nk=v\r\nn=\r\n[B]\r\n"},
        WriteCase{"blanks at the ends quoted",
                  {{"A", {Key("IP", "10 .0  .0  .5  "), Key("L", " x"), Key("M", "a b")}}},
                  "[A]\r\nIP=\"10 .0  .0  .5  \"\r\nL=\" x\"\r\nM=a b\r\n"},
        WriteCase{"enclosing quotes quoted",
                  {{"A", {Key("a", "\"x\""), Key("b", "'x'"), Key("c", "\""), Key("d", "'x\"")}}},
                  "[A]\r\na=\"\"x\"\"\r\nb=\"'x'\"\r\nc=\"\r\nd='x\"\r\n"},
        WriteCase{"line breaks and NUL end a name or value",
                  {{" A\r\nB ", {Key("k", "one\r\ntwo"), Key("n", "x\0y"s)}}},
                  "[A]\r\nk=one\r\nn=x\r\n"},
        WriteCase{"key without value", {{"A", {Bare("k")}}}, "[A]\r\nk\r\n"}));

TEST(IniFormat, ReadsBackWhatItWrote) {
  const TIniFile file = {
      {"", {Key("before", "1")}},
      {"a]b", {Key("k", "  "), Key("q", "\"\""), Key("e", "=;[x]"), Bare("bare")}},
      {"[x", {Key("k", "\x1a v \t"), Key("n", "'")}},
      {";c", {}}};
  EXPECT_EQ(ParseIni(FormatIni(file)), file);
}

TEST(IniNameIndex, NumbersNamesInOrderAndFindsThemInAnyCase) {
  std::vector<std::string> names;
  for (int i = 0; i < 10000; ++i) names.push_back("Name " + std::to_string(i));
  std::vector<std::string> shouted = names;
  for (std::string& name : shouted) {
    for (char& c : name) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  }
  TIniNameIndex index;
  for (std::size_t i = 0; i < names.size(); ++i) {
    EXPECT_EQ(index.Add(names[i]), std::make_pair(i, true));
  }
  for (std::size_t i = 0; i < names.size(); ++i) {
    EXPECT_EQ(index.Add(shouted[i]), std::make_pair(i, false));
  }
  EXPECT_EQ(index.Add("\xC9"), std::make_pair(names.size(), true));
  EXPECT_EQ(index.Add("\xE9"), std::make_pair(names.size() + 1, true));
}

}  // namespace
