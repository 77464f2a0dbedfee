// Argument parsing and error reporting for wustool.
#include "tools/command_line.h"

#include <charconv>
#include <cstdio>

namespace wus::tool {

bool ParseArgs(const std::vector<std::string>& args, std::span<const OptionInfo> options,
               ParsedArgs* parsed, std::string* error) {
  *parsed = ParsedArgs();
  bool optionsEnded = false;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    if (optionsEnded || arg.size() < 2 || arg[0] != '-') {
      parsed->operands.push_back(arg);
      continue;
    }
    if (arg == "--") {
      optionsEnded = true;
      continue;
    }
    if (arg == "--help" || arg == "-h") {
      parsed->help = true;
      continue;
    }
    std::size_t equals = arg.find('=');
    std::string name = arg.substr(2, equals == std::string::npos ? std::string::npos : equals - 2);
    const OptionInfo* match = nullptr;
    for (const OptionInfo& option : options) {
      if (arg.compare(0, 2, "--") == 0 && name == option.name) match = &option;
    }
    if (match == nullptr) {
      *error = "unknown option '" + arg + "'";
      return false;
    }
    if (!match->takesValue) {
      if (equals != std::string::npos) {
        *error = "option '--" + name + "' takes no value";
        return false;
      }
      parsed->values[name] = "";
    } else if (equals != std::string::npos) {
      parsed->values[name] = arg.substr(equals + 1);
    } else if (i + 1 < args.size()) {
      parsed->values[name] = args[++i];
    } else {
      *error = "option '--" + name + "' needs a value";
      return false;
    }
  }
  return true;
}

bool ParseNumber(const std::string& text, std::uint64_t min, std::uint64_t max,
                 std::uint64_t* value) {
  std::uint64_t v = 0;
  const char* end = text.data() + text.size();
  auto result = std::from_chars(text.data(), end, v, 10);
  if (text.empty() || result.ec != std::errc() || result.ptr != end || v < min || v > max) {
    return false;
  }
  *value = v;
  return true;
}

int UsageError(const char* command, const std::string& message) {
  std::fprintf(stderr, "wustool %s: %s\nTry 'wustool %s --help'.\n", command, message.c_str(),
               command);
  return kExitUsage;
}

int Failure(const char* command, const std::string& message) {
  std::fprintf(stderr, "wustool %s: %s\n", command, message.c_str());
  return kExitFailure;
}

int PrintText(const char* text) {
  std::fputs(text, stdout);
  return kExitOk;
}

}  // namespace wus::tool
