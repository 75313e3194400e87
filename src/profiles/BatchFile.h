#pragma once

#include <string>
#include <string_view>

#include "NetInfo.h"

// What a batch file that was not run as administrator prints, and the code it exits with
// (the system's "access denied").
inline constexpr std::string_view kBatchNotAdministratorText = "This file must be run as administrator.";
inline constexpr int kBatchNotAdministratorExitCode = 5;

// The profile as a batch file for cmd, lines ended by CR LF: the same netsh commands as
// the apply script, each on a line of its own as a whole netsh command line, each followed
// by a check that stops the file with that command's exit code when it failed (netsh
// would otherwise go on and leave the adapter half configured). Before the first command
// the file checks that it runs as administrator; when not, it prints
// kBatchNotAdministratorText and exits with kBatchNotAdministratorExitCode, changing
// nothing. The profile is expected normalised and checked (ProfileProblem): its name
// holds no double quote, which would end the quoted name early. The text is in the
// program's own code page: cmd reads a file in the console's (IConsoleCodePage).
std::string BatchFileText(const TNetInfo& normalised);
