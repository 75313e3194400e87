#pragma once

#include <string>

// The order of profile captions wherever a list of them is shown, in the window or on
// the command line: the system's locale-aware, case-sensitive comparison (lstrcmpA).
// Negative when a comes first.
int CompareCaptions(const std::string& a, const std::string& b);
