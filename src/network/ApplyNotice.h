#pragma once

#include <string>

#include "ApplyRun.h"

// Why an apply runs: the user asked for it (the window's Connect, the tray menu, a click
// on an offer, the command line), or the program switched by itself on arriving at a
// profile's network.
enum class TApplyReason { User, Automatic };

// The report as shown for an apply made for `reason`. An automatic one says so first
// ("Switched automatically: Office is active on Ethernet: …"): its balloon comes
// without anyone having asked, whatever became of the apply.
TApplyReport ReportFor(TApplyReason reason, TApplyReport report);

// What shows while an apply is pending, from netsh's start to the report:
// "Applying Office on Ethernet…", `adapter` being the name netsh was given.
std::string ApplyingText(const std::string& caption, const std::string& adapter);
