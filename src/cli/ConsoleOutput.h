#pragma once

#include <string_view>

// Lines for whoever started the program from a prompt or a script. A program of the
// windows subsystem writes to the standard handles it inherited when they are valid (a
// file, a pipe, a console); only when they are not does it attach, once, to the console
// of the process that started it. Without either the line goes nowhere.
enum class TStandardStream { Output, Error };

// Writes the text and a line break (CR LF); false when it reached no one.
bool WriteLine(TStandardStream stream, std::string_view text);
