#pragma once

#include <windows.h>

#include <string>

// The system's description of an error code (FormatMessage), without the line break
// and blanks it ends in; "System error N." when the system has none.
std::string SystemErrorText(DWORD error);
