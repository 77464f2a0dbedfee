// Argument handling shared by wustool's commands: options of the forms
// "--name value" and "--name=value", "--" to end them, operands, and the
// messages and exit statuses of the two kinds of failure.
#pragma once

#include <cstdint>
#include <map>
#include <span>
#include <string>
#include <vector>

namespace wus::tool {

// Exit statuses.
inline constexpr int kExitOk = 0;
inline constexpr int kExitFailure = 1;  // the work failed: bad input, unwritable output
inline constexpr int kExitUsage = 2;    // the command line was wrong

struct OptionInfo {
  const char* name;  // without the leading "--"
  bool takesValue;
};

struct ParsedArgs {
  bool help = false;                          // --help or -h was given
  std::map<std::string, std::string> values;  // by option name; "" for a flag
  std::vector<std::string> operands;
};

// Returns true iff every option in `args` is "--help", "-h" or one of
// `options` (with its value where it takes one); otherwise `*error` says
// which is wrong.
bool ParseArgs(const std::vector<std::string>& args, std::span<const OptionInfo> options,
               ParsedArgs* parsed, std::string* error);

// Returns true iff `text` is a decimal number from `min` to `max`.
bool ParseNumber(const std::string& text, std::uint64_t min, std::uint64_t max,
                 std::uint64_t* value);

// Prints "wustool COMMAND: MESSAGE" and a pointer to the help on standard
// error; returns kExitUsage.
int UsageError(const char* command, const std::string& message);

// Prints "wustool COMMAND: MESSAGE" on standard error; returns kExitFailure.
int Failure(const char* command, const std::string& message);

// Writes `text` to standard output; returns kExitOk.
int PrintText(const char* text);

}  // namespace wus::tool
