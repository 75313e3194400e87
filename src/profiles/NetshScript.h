#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "FileSystem.h"
#include "NetInfo.h"

// The netsh context commands that configure the profile's connection, one per line
// (5 lines for DHCP, 6 or 7 for a static address). Members go in unchanged: callers
// decide whether the profile is normalised first.
std::vector<std::string> NetshScriptLines(const TNetInfo& profile);

// The lines as the file holds them: every line, the last included, ends in CR LF.
std::string NetshScriptText(const TNetInfo& profile);

// Writes the script to the path, replacing whatever the file held, in one write.
// Throws TFileError.
void WriteNetshScript(IFileSystem& files, const TNetInfo& profile, const std::string& path);
