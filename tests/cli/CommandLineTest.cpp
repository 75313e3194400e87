// Splitting and reading the program's command line. Natively against the table; under
// Wine the same table is also put to CommandLineToArgvW, whose rules the splitting
// follows, so that the two cannot drift apart unnoticed.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "CommandLine.h"
#include "StartWithWindows.h"

#ifdef _WIN32
#include <windows.h>

#include <shellapi.h>
#endif

namespace {

using TArgs = std::vector<std::string>;

// A case's command line as a test's name shows it: quotes as ' and backslashes as /, which
// test runners take without escaping.
std::string Readable(const char* line) {
  std::string text(line);
  for (char& c : text) c = c == '"' ? '\'' : c == '\\' ? '/' : c;
  return text;
}

struct TSplitCase {
  const char* line;
  const char* program;
  TArgs arguments;
};

const TSplitCase kSplitCases[] = {
    {"Ardenix.exe", "Ardenix.exe", {}},
    {"Ardenix.exe   ", "Ardenix.exe", {}},
    {"\"C:\\Program Files\\Ardenix.exe\" /list", "C:\\Program Files\\Ardenix.exe", {"/list"}},
    {"C:\\Tools\\Ardenix.exe \t/apply  Home", "C:\\Tools\\Ardenix.exe", {"/apply", "Home"}},
    {"a /apply \"Home Office\"", "a", {"/apply", "Home Office"}},
    {"a /apply \"\"", "a", {"/apply", ""}},
    {"a \"\" x", "a", {"", "x"}},
    {"a Home\" \"Office", "a", {"Home Office"}},      // quoting inside a word
    {"a \"a\\\"b\"", "a", {"a\"b"}},                  // \" is a literal quote
    {"a a\\\\\"b c\"", "a", {"a\\b c"}},              // \\" : one backslash, quoting opens
    {"a a\\\\\\\"b", "a", {"a\\\"b"}},                // \\\" : one backslash, a quote
    {"a C:\\dir\\ x", "a", {"C:\\dir\\", "x"}},       // backslashes alone stay
    {"a \"C:\\dir\\\\\"", "a", {"C:\\dir\\"}},        // a folder quoted: \\ before the quote
    {"a \"a\"\"b\"", "a", {"a\"b"}},                  // "" inside quoting: a literal quote
    {"a \"\"\"a\"\"\"", "a", {"\"a\""}},              // every third quote of a run is one
    {"a \"unclosed arg", "a", {"unclosed arg"}},
    {"\"C:\\a b\\x.exe\"/list", "C:\\a b\\x.exe", {"/list"}},  // the name ends at its quote
    // What batch files hand over: blanks and tabs behind the last argument.
    {"a /list ", "a", {"/list"}},
    {"a /list\t", "a", {"/list"}},
    {"a /apply Home \t ", "a", {"/apply", "Home"}},
    {"a \"Home Office\"  ", "a", {"Home Office"}},
    // Empty quoted arguments, also at the end and side by side.
    {"a \"\" ", "a", {""}},
    {"a \"\"\t\"\"", "a", {"", ""}},
    {"a x \"\"", "a", {"x", ""}},
    // Quotes next to backslashes.
    {"a \\\"", "a", {"\""}},                      // \" alone: a literal quote
    {"a \\\\\"\"", "a", {"\\"}},                  // \\"" : one backslash, quoting opens and closes
    {"a \"\\\\\"", "a", {"\\"}},                  // "\\" : quoted, one backslash
    {"a \"x\\\" y\"", "a", {"x\" y"}},             // "x\" y" : a literal quote inside quoting
};

void PrintTo(const TSplitCase& c, std::ostream* os) {
  *os << Readable(c.line);
}

class CommandLineSplit : public testing::TestWithParam<TSplitCase> {};

TEST_P(CommandLineSplit, FollowsTheSystemsRules) {
  const TSplitCommandLine split = SplitCommandLine(GetParam().line);
  EXPECT_EQ(split.Program, GetParam().program);
  EXPECT_EQ(split.Arguments, GetParam().arguments);
}

#ifdef _WIN32
std::wstring Wide(const std::string& text) {
  return std::wstring(text.begin(), text.end());  // the table is plain ASCII
}

TEST_P(CommandLineSplit, AsCommandLineToArgvWSplitsIt) {
  int count = 0;
  LPWSTR* argv = CommandLineToArgvW(Wide(GetParam().line).c_str(), &count);
  ASSERT_NE(argv, nullptr);
  std::vector<std::wstring> system(argv, argv + count);
  LocalFree(argv);
  const TSplitCommandLine split = SplitCommandLine(GetParam().line);
  std::vector<std::wstring> ours{Wide(split.Program)};
  for (const std::string& argument : split.Arguments) ours.push_back(Wide(argument));
  EXPECT_EQ(ours, system);
}
#endif

INSTANTIATE_TEST_SUITE_P(Cases, CommandLineSplit, testing::ValuesIn(kSplitCases));

TEST(CommandLineSplit, TheRestIsHandedOnUntouched) {
  EXPECT_EQ(SplitCommandLine("\"C:\\a b\\Ardenix.com\"  /apply \"a\\\"b\" ").Rest,
            "/apply \"a\\\"b\" ");
  EXPECT_EQ(SplitCommandLine("Ardenix").Rest, "");
}

struct TParseCase {
  const char* line;
  TCommandKind kind;
  const char* caption;
};

const TParseCase kParseCases[] = {
    {"Ardenix.exe", TCommandKind::Window, ""},
    {"\"C:\\a b\\Ardenix.exe\"  ", TCommandKind::Window, ""},
    {"x /apply Home", TCommandKind::Apply, "Home"},
    {"x /APPLY \"Home Office\"", TCommandKind::Apply, "Home Office"},
    {"x -Apply Lab", TCommandKind::Apply, "Lab"},
    {"x /apply  \" Lab \"", TCommandKind::Apply, " Lab "},  // blanks are the caption's own
    {"x /list", TCommandKind::List, ""},
    {"x -LIST", TCommandKind::List, ""},
    {"x /list ", TCommandKind::List, ""},  // "Ardenix /list & echo done" in a batch file
    {"x /tray", TCommandKind::Tray, ""},
    {"x -Tray ", TCommandKind::Tray, ""},
    {"x /tray extra", TCommandKind::Usage, ""},
    {"x /tray /list", TCommandKind::Usage, ""},
    {"x /apply Home \t", TCommandKind::Apply, "Home"},
    {"x /apply \"Home Office\" ", TCommandKind::Apply, "Home Office"},
    {"x /?", TCommandKind::Usage, ""},
    {"x /apply", TCommandKind::Usage, ""},
    {"x /apply Home Office", TCommandKind::Usage, ""},  // unquoted: two names
    {"x /list extra", TCommandKind::Usage, ""},
    {"x /lists", TCommandKind::Usage, ""},
    {"x apply Home", TCommandKind::Usage, ""},
    {"x \\apply Home", TCommandKind::Usage, ""},
    {"x Home", TCommandKind::Usage, ""},
    {"x \"\"", TCommandKind::Usage, ""},
    {"x /apply \"\"", TCommandKind::BadCaption, ""},
    {"x /apply \"a\\\"b\"", TCommandKind::BadCaption, ""},
    {"x /apply a\"\"\"b", TCommandKind::BadCaption, ""},
};

void PrintTo(const TParseCase& c, std::ostream* os) {
  *os << Readable(c.line);
}

class CommandLineParse : public testing::TestWithParam<TParseCase> {};

TEST_P(CommandLineParse, SaysWhatIsAskedFor) {
  const TCommand command = ParseCommandLine(GetParam().line);
  EXPECT_EQ(command.Kind, GetParam().kind);
  EXPECT_EQ(command.Caption, GetParam().caption);
  // Only a bad caption has a problem to show, and it names what is wrong.
  EXPECT_EQ(command.Problem.empty(), command.Kind != TCommandKind::BadCaption) << command.Problem;
}

INSTANTIATE_TEST_SUITE_P(Cases, CommandLineParse, testing::ValuesIn(kParseCases));

TEST(CommandLineParse, TheProblemLineSaysWhichFault) {
  EXPECT_EQ(ParseCommandLine("x /apply \"\"").Problem,
            "Ardenix: the connection name after /apply is empty.");
  EXPECT_EQ(ParseCommandLine("x /apply a\\\"b").Problem,
            "Ardenix: a connection name cannot hold double quotes: a\"b");
}

// What the Run key is given to start with Windows is read back as a start in the
// notification area of that very program.
TEST(CommandLineParse, TheStartupCommandStartsThisProgramInTheNotificationArea) {
  const std::string program = "C:\\Program Files\\Ardenix\\Ardenix.exe";
  const std::string command = StartupCommand(program);
  EXPECT_EQ(SplitCommandLine(command).Program, program);
  EXPECT_EQ(ParseCommandLine(command).Kind, TCommandKind::Tray);
}

}  // namespace
