// The console log. LogMessage writes a formatted line to standard output and
// hands the same text to the debugger channel; the driver's echo of each path
// goes to standard output only. Tests can capture everything that would reach
// the console. The console is a side channel: once a write to it fails (a
// closed pipe, a full disk behind a redirect), nothing more is written to
// it, and nothing about the run changes.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "text/format.h"

namespace wus {

// Formats once and writes the text unchanged; the format carries its own
// line end.
void LogMessage(const char* format, ...) WUS_PRINTF_FORMAT(1, 2);

// The loader's trace lines, written like LogMessage but without a format to
// parse: each writes the same text as LogMessage with the format shown.
// `head` and `name` must hold no zero byte (as "%s" would stop there).
void LogNumber(std::string_view head, std::int32_t value);  // "%s%d\n"
void LogNumbers(std::string_view head, std::int32_t a, std::int32_t b,
                std::int32_t c);                             // "%s%d, %d, %d\n"
void LogName(std::string_view head, std::string_view name);  // "%s%s\n"

// When standard output is not a terminal, gives it a 64 KiB buffer and
// collects console text into blocks of that size, so that a redirected
// trace costs few stdio calls and system calls; collected text goes out at
// FlushConsole and when the program exits. Call before any output.
void BufferRedirectedConsole();

// Writes `text` to standard output without copying it to the debugger channel.
void ConsoleEcho(std::string_view text);

// While set, nothing is written to the console (nor captured); the
// debugger channel still gets LogMessage's text.
void SetConsoleQuiet(bool quiet);

// Writes out what standard output holds buffered (unless it failed before),
// so that the console is complete before a message on standard error.
void FlushConsole();

// While set, console text is appended to `*capture` instead of being written
// to standard output (the debugger channel still gets LogMessage's text).
// Pass null to write to standard output again.
void SetConsoleCapture(std::string* capture);

}  // namespace wus
