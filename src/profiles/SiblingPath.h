#pragma once

#include <string>
#include <string_view>

#include "SystemPaths.h"

// The path with its extension replaced: the text from the last "." on is dropped when
// that "." comes after every "\" and ":", then the extension (".INI", ".TMP", ".BAT")
// is appended. Turns the executable's path into its store and script paths, and a
// profile's caption into the proposed export name.
std::string ReplaceExtension(std::string_view path, std::string_view extension);

// The profile store: the executable's path with the extension ".INI". The window, the
// command line and the one-program-per-store check all read this one file.
std::string StorePathBeside(ISystemPaths& paths);
