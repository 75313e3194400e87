#include "CommandLine.h"

#include <algorithm>
#include <cctype>

namespace {

bool IsBlank(char c) {
  return c == ' ' || c == '\t';
}

// The program's name: up to the closing quote when it starts with one, else up to the
// first blank. Returns the position after it.
size_t ReadProgram(std::string_view line, std::string& program) {
  size_t i = 0;
  if (!line.empty() && line[0] == '"') {
    const size_t close = line.find('"', 1);
    program = line.substr(1, close == std::string_view::npos ? std::string_view::npos : close - 1);
    return close == std::string_view::npos ? line.size() : close + 1;
  }
  while (i < line.size() && !IsBlank(line[i])) ++i;
  program = line.substr(0, i);
  return i;
}

// The system's splitting of the arguments. `quotes` counts the quotes of a run: inside
// quoting it is 1, and every third quote of a run of quotes is a literal one. An argument
// exists once a character or a quote of it was read: blanks at the end (a batch file's
// "Ardenix /list & echo done" hands over "/list ") make no empty argument, "" does.
std::vector<std::string> SplitArguments(std::string_view line) {
  std::vector<std::string> arguments;
  std::string current;
  bool started = false;
  size_t backslashes = 0;
  int quotes = 0;
  size_t i = 0;
  while (i < line.size()) {
    const char c = line[i];
    if (IsBlank(c) && quotes == 0) {
      if (started) arguments.push_back(std::move(current));
      current.clear();
      started = false;
      backslashes = 0;
      while (i < line.size() && IsBlank(line[i])) ++i;
      continue;
    }
    started = true;
    if (c == '\\') {
      current += c;
      ++backslashes;
      ++i;
    } else if (c == '"') {
      // The backslashes are in `current` already: keep half of them.
      if (backslashes % 2 == 0) {
        current.erase(current.size() - backslashes / 2);
        ++quotes;
      } else {
        current.erase(current.size() - backslashes / 2 - 1);
        current += '"';
      }
      backslashes = 0;
      ++i;
      for (; i < line.size() && line[i] == '"'; ++i) {
        if (++quotes == 3) {
          current += '"';
          quotes = 0;
        }
      }
      if (quotes == 2) quotes = 0;
    } else {
      current += c;
      backslashes = 0;
      ++i;
    }
  }
  if (started) arguments.push_back(std::move(current));
  return arguments;
}

std::string Lower(std::string_view text) {
  std::string lower(text);
  std::transform(lower.begin(), lower.end(), lower.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return lower;
}

// "/name" or "-name", any case.
bool IsOption(const std::string& argument, std::string_view name) {
  return argument.size() == name.size() + 1 && (argument[0] == '/' || argument[0] == '-') &&
         Lower(std::string_view(argument).substr(1)) == name;
}

TCommand CaptionCommand(const std::string& caption) {
  if (caption.empty())
    return {TCommandKind::BadCaption, {}, "Ardenix: the connection name after /apply is empty."};
  if (caption.find('"') != std::string::npos)
    return {TCommandKind::BadCaption, {},
            "Ardenix: a connection name cannot hold double quotes: " + caption};
  return {TCommandKind::Apply, caption, {}};
}

}  // namespace

TSplitCommandLine SplitCommandLine(std::string_view commandLine) {
  TSplitCommandLine split;
  size_t i = ReadProgram(commandLine, split.Program);
  while (i < commandLine.size() && IsBlank(commandLine[i])) ++i;
  split.Rest = commandLine.substr(i);
  split.Arguments = SplitArguments(split.Rest);
  return split;
}

TCommand ParseCommandLine(std::string_view commandLine) {
  const std::vector<std::string> arguments = SplitCommandLine(commandLine).Arguments;
  if (arguments.empty()) return {};
  if (arguments.size() == 2 && IsOption(arguments[0], "apply")) return CaptionCommand(arguments[1]);
  if (arguments.size() == 1 && IsOption(arguments[0], "list")) return {TCommandKind::List, {}, {}};
  if (arguments.size() == 1 && IsOption(arguments[0], "tray")) return {TCommandKind::Tray, {}, {}};
  return {TCommandKind::Usage, {}, {}};
}

bool StartsWindowProgram(TCommandKind kind) {
  return kind == TCommandKind::Window || kind == TCommandKind::Tray;
}

const char* UsageText() {
  return "Usage: Ardenix [/apply NAME | /list | /tray | /?]\n"
         "  (nothing)     open the Ardenix window\n"
         "  /apply NAME   apply the connection NAME; put a name with blanks in double quotes\n"
         "  /list         print the names of the connections, one a line, * before an active one\n"
         "  /tray         start in the notification area without showing the window\n"
         "  /?            show this text\n";
}
