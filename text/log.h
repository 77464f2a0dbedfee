// The console log. LogMessage writes a formatted line to standard output and
// hands the same text to the debugger channel; the driver's echo of each path
// goes to standard output only. Tests can capture everything that would reach
// the console.
#pragma once

#include <string>
#include <string_view>

#include "text/format.h"

namespace wus {

// Formats once and writes the text unchanged; the format carries its own
// line end.
void LogMessage(const char* format, ...) WUS_PRINTF_FORMAT(1, 2);

// Writes `text` to standard output without copying it to the debugger channel.
void ConsoleEcho(std::string_view text);

// While set, console text is appended to `*capture` instead of being written
// to standard output (the debugger channel still gets LogMessage's text).
// Pass null to write to standard output again.
void SetConsoleCapture(std::string* capture);

}  // namespace wus
