#pragma once

#include <string>
#include <string_view>

// The path with its extension replaced: the text from the last "." on is dropped when
// that "." comes after every "\" and ":", then the extension (".INI", ".TMP", ".BAT")
// is appended. Turns the executable's path into its store and script paths, and a
// profile's caption into the proposed export name.
std::string ReplaceExtension(std::string_view path, std::string_view extension);
