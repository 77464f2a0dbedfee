// The console log: formatted lines to standard output and the debugger.
#include "text/log.h"

#include <cstdarg>
#include <cstdio>

#include "platform/platform.h"

namespace wus {
namespace {

std::string* g_consoleCapture = nullptr;

void WriteConsole(std::string_view text) {
  if (g_consoleCapture != nullptr) {
    g_consoleCapture->append(text);
    return;
  }
  std::fwrite(text.data(), 1, text.size(), stdout);
}

}  // namespace

void LogMessage(const char* format, ...) {
  std::string text;
  std::va_list args;
  va_start(args, format);
  AppendFormatV(&text, format, args);
  va_end(args);
  WriteConsole(text);
  DebugOutput(text);
}

void ConsoleEcho(std::string_view text) { WriteConsole(text); }

void SetConsoleCapture(std::string* capture) { g_consoleCapture = capture; }

}  // namespace wus
