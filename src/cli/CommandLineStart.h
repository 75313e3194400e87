#pragma once

#include <optional>

#include "CommandLine.h"

// What the program does first with its command line: a usage request or a caption that
// cannot name a connection is answered on the standard streams and ends the program
// with its exit code; everything else (nullopt) goes on.
std::optional<int> AnswerCommandLineFaults(const TCommand& command);
