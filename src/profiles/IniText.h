#pragma once

#include <string>
#include <string_view>

// The character rules that INI files share with the Windows private-profile functions:
// what counts as a blank around names and values, how names compare, and the one pair
// of quotes a value may be wrapped in.

// Space, tab, line feed, vertical tab, form feed, carriage return, and Ctrl+Z (the old
// end-of-file mark some files still carry). Other bytes, also 0xA0, are text.
bool IsIniBlank(char c);

// The text without blanks at either end.
std::string_view TrimIniBlanks(std::string_view text);

// The text up to its first NUL: the private-profile functions keep names and values as
// C strings, so nothing after a NUL is ever seen.
std::string_view CutAtNul(std::string_view text);

// Section and key names compare case-insensitively, by ASCII letters only (as Wine does;
// other bytes compare exactly). The folded form is the key for maps of names.
char FoldedIniChar(char c);
bool IniNamesEqual(std::string_view a, std::string_view b);
std::string FoldedIniName(std::string_view name);

// A value wrapped in one pair of matching single or double quotes loses them when read
// ('"x"' and "'x'" read as x; a lone quote stays).
std::string_view UnquotedIniValue(std::string_view value);

// Whether a value must be written in double quotes to read back as it is: it has a blank
// at an end (reading trims those) or it is itself wrapped in matching quotes.
bool IniValueNeedsQuotes(std::string_view value);
