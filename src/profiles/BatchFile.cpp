#include "BatchFile.h"

#include <string>

#include "NetshScript.h"

namespace {

// The system's own programs by full path, as the apply starts netsh: a batch file run as
// administrator must not run whatever "netsh" the current folder or the search path
// offers first.
constexpr std::string_view kNetsh = "\"%SystemRoot%\\System32\\netsh.exe\"";

// cmd reads every command line twice: once for %variables%, once for operators such as &
// and |. Inside double quotes the operators are plain text, and the adapter's name is
// always quoted; a "%" is expanded even there, and "%%" is how a batch file writes one.
std::string PercentsDoubled(std::string_view text) {
  std::string doubled;
  for (char c : text) {
    doubled += c;
    if (c == '%') doubled += '%';
  }
  return doubled;
}

// Extensions on, as "exit /b" needs; delayed expansion off, so that a "!" in the name is
// text even where the registry turns it on for every cmd.
//
// The administrator check: fltmc answers only an administrator, but Wine has none; there
// net session decides (on Windows it fails too when the server service is stopped, so it
// is asked only when fltmc said no). Each check reads %errorlevel% on the line after the
// program: cmd expands a line's variables before running it, and Wine's cmd runs what
// follows "||" whatever the program's exit code was.
constexpr std::string_view kPrologue[] = {
    "@echo off",
    "setlocal EnableExtensions DisableDelayedExpansion",
    "\"%SystemRoot%\\System32\\fltmc.exe\" >nul 2>&1",
    "if %errorlevel% neq 0 \"%SystemRoot%\\System32\\net.exe\" session >nul 2>&1",
    "if %errorlevel% neq 0 goto notAdministrator",
};

// Catches any exit code but 0, negative ones too ("if errorlevel 1" would miss those).
constexpr std::string_view kStopOnFailure = "if %errorlevel% neq 0 exit /b %errorlevel%";

void AddLine(std::string& text, std::string_view line) {
  text += line;
  text += "\r\n";
}

}  // namespace

std::string BatchFileText(const TNetInfo& normalised) {
  std::string text;
  for (std::string_view line : kPrologue) AddLine(text, line);
  const std::string prefix = std::string(kNetsh) + " " + std::string(kNetshContext) + " ";
  for (const std::string& command : NetshContextCommands(normalised)) {
    AddLine(text, prefix + PercentsDoubled(command));
    AddLine(text, kStopOnFailure);
  }
  AddLine(text, "exit /b 0");
  AddLine(text, ":notAdministrator");
  AddLine(text, "echo " + std::string(kBatchNotAdministratorText));
  AddLine(text, "exit /b " + std::to_string(kBatchNotAdministratorExitCode));
  return text;
}
