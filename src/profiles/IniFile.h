#pragma once

#include <string>
#include <string_view>
#include <vector>

// An INI file as the Windows private-profile functions see it: sections in file order,
// each with its keys in file order. Duplicates are kept as they stand; the functions
// themselves only ever see the first section of a name and its first key of a name.

struct TIniKey {
  std::string Name;
  // The value as GetPrivateProfileString returns it: trimmed, up to a NUL, one pair of
  // enclosing quotes removed.
  std::string Value;
  // False for a line without "=": the key exists (and hides later keys of its name) but
  // reads as the caller's default.
  bool HasValue = true;

  friend bool operator==(const TIniKey&, const TIniKey&) = default;
};

struct TIniSection {
  // Trimmed; empty for the keys that stand before the first section header, which the
  // private-profile functions never list as a section.
  std::string Name;
  std::vector<TIniKey> Keys;

  friend bool operator==(const TIniSection&, const TIniSection&) = default;
};

using TIniFile = std::vector<TIniSection>;

// Receives the lines of a file as ScanIni reads them. The views point into the bytes
// being read and last as long as they do.
class IIniVisitor {
 public:
  virtual ~IIniVisitor() = default;
  virtual void Section(std::string_view name) = 0;
  // A key line; keys before the first section header come before any Section call.
  virtual void Key(std::string_view name, std::string_view value, bool hasValue) = 0;
};

// Reads a whole file's bytes. Lines end at CR, LF or CR LF; a UTF-8 byte-order mark at
// the start is skipped and the bytes are otherwise taken as they are. Blank lines are
// skipped; a line starting with "[" and holding a later "]" opens a section named by
// the text between the "[" and the last "]"; any other line is a key, with or without
// "=". Comment lines (";...") need no rule of their own: they become keys whose names
// no reader asks for. Runs in time linear in the size of the input.
void ScanIni(std::string_view bytes, IIniVisitor& visitor);
TIniFile ParseIni(std::string_view bytes);

// Writing, CR LF after every line. A name or value ends at its first CR, LF or NUL, which
// no line of the file can hold. Values that would not read back as they are (blanks at
// an end, enclosing quotes) are written in double quotes. Key names must not contain "="
// nor start with "[".
void AppendIniSection(std::string& out, std::string_view name);
void AppendIniKey(std::string& out, std::string_view name, std::string_view value);
std::string FormatIni(const TIniFile& file);

// The form a section name takes in a file: without blanks at the ends and up to the
// first CR, LF or NUL. Names equal in this form (ignoring ASCII case) are one section.
std::string_view StorableIniName(std::string_view name);

// A value as a file can hold it: up to its first CR, LF or NUL.
std::string_view StorableIniValue(std::string_view value);
