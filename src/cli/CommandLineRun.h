#pragma once

#include <optional>

#include "CommandLine.h"
#include "CoreServices.h"

// Carries out /apply NAME or /list from the store beside the executable, with no window
// and no icon, and returns the exit code; nullopt for a command that opens the window.
//
// /apply applies the connection whose name is exactly NAME (letter case counts) as the
// window does, follows netsh to the verification and writes the report on one line to
// standard output; its exit code is TApplyExitCode's. No such connection, or a store that
// cannot be read: a line on standard error, exit 1, nothing applied.
// /list writes one line per connection in the list's order: "* NAME (active on ADAPTER)"
// for one in force now, "  NAME" for the others.
// Any other error is a line on standard error, never a message box: exit 2 for /apply
// (nothing verified), 1 for /list.
std::optional<int> RunCommandLine(const TCommand& command, TCoreServices services);
