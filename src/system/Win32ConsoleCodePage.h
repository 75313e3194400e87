#pragma once

#include "ConsoleCodePage.h"

// ANSI text into the OEM code page, the one a console (and so cmd) starts in, through the
// wide characters both map to; a character the OEM code page has no exact place for
// (no best fit: "é" must not become "e") gives none.
class TWin32ConsoleCodePage : public IConsoleCodePage {
 public:
  std::optional<std::string> FromAnsi(std::string_view ansi) override;
};
