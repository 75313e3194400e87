#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "NetInfo.h"

// The netsh context the profile's commands belong to: a script enters it ("pushd"), a
// command line names it before each command.
inline constexpr std::string_view kNetshContext = "interface ip";

// The commands, in kNetshContext, that configure the profile's connection, one per entry
// (3 for DHCP, 4 or 5 for a static address). Members go in unchanged: callers decide
// whether the profile is normalised first.
std::vector<std::string> NetshContextCommands(const TNetInfo& profile);

// The script's lines: the context entered, its commands, the context left (5 lines for
// DHCP, 6 or 7 for a static address).
std::vector<std::string> NetshScriptLines(const TNetInfo& profile);

// The lines as the file holds them: every line, the last included, ends in CR LF.
std::string NetshScriptText(const TNetInfo& profile);
