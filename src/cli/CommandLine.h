#pragma once

#include <string>
#include <string_view>
#include <vector>

// The program's command line, as GetCommandLineA gives it (the program's own name
// first), split by the system's rules (those of CommandLineToArgvW): blanks separate
// arguments except inside double quotes; 2n backslashes before a quote give n
// backslashes and the quote opens or closes quoting, 2n+1 give n backslashes and a
// literal quote; other backslashes are plain characters. The program's name ends at its
// closing quote or its first blank, with no escapes.
struct TSplitCommandLine {
  std::string Program;
  std::vector<std::string> Arguments;
  // The command line after the program's name and the blanks behind it, untouched:
  // what a program handing on its arguments passes on.
  std::string Rest;
};
TSplitCommandLine SplitCommandLine(std::string_view commandLine);

// What the command line asks for.
enum class TCommandKind {
  Window,      // no arguments: the program with its window
  Tray,        // /tray: the window program, started hidden in the notification area
  Apply,       // /apply NAME: apply the connection NAME
  List,        // /list: print the connections' names
  Usage,       // /? or anything not understood: usage text on standard error
  BadCaption,  // /apply with a name no connection can have
};

struct TCommand {
  TCommandKind Kind = TCommandKind::Window;
  std::string Caption;  // Apply: the connection's name
  std::string Problem;  // BadCaption: the line to show
};

// Options are case-insensitive and may start with "/" or "-".
TCommand ParseCommandLine(std::string_view commandLine);

// Exit codes of the command line's failures.
inline constexpr int kExitBadCaption = 1;
inline constexpr int kExitUsage = 64;

// Whether the command starts the window program (which stays running) rather than a
// command that ends with an exit code.
bool StartsWindowProgram(TCommandKind kind);

// The usage text, lines ending in "\n".
const char* UsageText();
