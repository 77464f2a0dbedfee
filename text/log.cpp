// The console log: formatted lines to standard output and the debugger.
#include "text/log.h"

#include <charconv>
#include <cstdarg>
#include <cstdio>
#include <cstdlib>

#include "platform/platform.h"

namespace wus {
namespace {

std::string* g_consoleCapture = nullptr;
// Set once a write to standard output failed: the console is gone (a closed
// pipe, a full disk behind a redirect) and the trace is dropped from then
// on, while the run goes on.
bool g_consoleFailed = false;
bool g_consoleQuiet = false;
// When standard output is not a terminal, console text is collected here
// and handed to stdio a block at a time: a stdio call per trace line would
// cost more than reading the hit records the line is about.
bool g_collectConsole = false;
std::string g_collected;
constexpr std::size_t kConsoleBlock = std::size_t{1} << 16;

void WriteStdout(std::string_view text) {
  if (g_consoleFailed || text.empty()) return;
  if (std::fwrite(text.data(), 1, text.size(), stdout) != text.size() || std::ferror(stdout)) {
    g_consoleFailed = true;
  }
}

// Hands the collected text to stdio.
void WriteCollected() {
  WriteStdout(g_collected);
  g_collected.clear();
}

void WriteConsole(std::string_view text) {
  if (g_consoleQuiet) return;
  if (g_consoleCapture != nullptr) {
    g_consoleCapture->append(text);
    return;
  }
  if (g_consoleFailed) return;
  if (!g_collectConsole) {
    WriteStdout(text);
    return;
  }
  g_collected.append(text);
  if (g_collected.size() >= kConsoleBlock) WriteCollected();
}

// Appends `value` as "%d" writes it.
void AppendInt(std::string* line, std::int32_t value) {
  char digits[16];
  auto [end, error] = std::to_chars(digits, digits + sizeof digits, value);
  line->append(digits, end);
}

// The line being built by the trace helpers; reused, so that a line costs
// no allocation. The program writes the console from one thread only.
std::string& TraceLine() {
  static std::string line;
  line.clear();
  return line;
}

void Send(const std::string& text) {
  WriteConsole(text);
  DebugOutput(text);
}

}  // namespace

void LogNumber(std::string_view head, std::int32_t value) {
  std::string& line = TraceLine();
  line.append(head);
  AppendInt(&line, value);
  line += '\n';
  Send(line);
}

void LogNumbers(std::string_view head, std::int32_t a, std::int32_t b, std::int32_t c) {
  std::string& line = TraceLine();
  line.append(head);
  AppendInt(&line, a);
  line += ", ";
  AppendInt(&line, b);
  line += ", ";
  AppendInt(&line, c);
  line += '\n';
  Send(line);
}

void LogName(std::string_view head, std::string_view name) {
  std::string& line = TraceLine();
  line.append(head);
  line.append(name);
  line += '\n';
  Send(line);
}

void LogMessage(const char* format, ...) {
  std::string text;
  std::va_list args;
  va_start(args, format);
  AppendFormatV(&text, format, args);
  va_end(args);
  Send(text);
}

void BufferRedirectedConsole() {
  // glibc ignores the size unless it is given the buffer as well.
  static char buffer[std::size_t{1} << 16];
  if (StdoutIsTerminal()) return;
  std::setvbuf(stdout, buffer, _IOFBF, sizeof buffer);
  g_collectConsole = true;
  g_collected.reserve(kConsoleBlock + 4096);
  // Whatever way the program ends, collected text goes out before stdio's
  // own buffers are flushed.
  std::atexit(WriteCollected);
}

void ConsoleEcho(std::string_view text) { WriteConsole(text); }

void FlushConsole() {
  WriteCollected();
  if (g_consoleFailed) return;
  if (std::fflush(stdout) != 0) g_consoleFailed = true;
}

void SetConsoleCapture(std::string* capture) { g_consoleCapture = capture; }

void SetConsoleQuiet(bool quiet) { g_consoleQuiet = quiet; }

}  // namespace wus
