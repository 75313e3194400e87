#pragma once

#include <optional>
#include <string>
#include <string_view>

// The code page cmd reads a batch file in: the console's (the OEM code page), not the one
// the program's text is in (the ANSI code page). Letters outside ASCII lie at other
// places in the two, so a batch file written as the program holds its text would hand
// netsh another adapter name ("Réseau" would arrive as "RTseau").
class IConsoleCodePage {
 public:
  virtual ~IConsoleCodePage() = default;

  // `ansi` in the console's code page; none when a character has no place there.
  virtual std::optional<std::string> FromAnsi(std::string_view ansi) = 0;
};
