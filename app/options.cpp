// Parsing wusreport's command line.
#include "app/options.h"

#include <charconv>

namespace wus {
namespace {

constexpr unsigned kMaxJobs = 256;

constexpr char kUsage[] =
    "Usage: wusreport [OPTION]... [FILE|FOLDER]...\n"
    "Merges WUS match statistics files into one tab-separated report for a\n"
    "spreadsheet (code page 1251 titles, decimal commas), written next to the first\n"
    "WUS file read, and traces what it reads on standard output. A FOLDER stands\n"
    "for the *.wus files directly in it (the extension in any letter case), in\n"
    "byte order of their names. Without FILEs the report is empty and written in\n"
    "the current folder.\n"
    "\n"
    "  -o, --output=PATH  write the report to PATH; when PATH is a folder, under\n"
    "                     the usual name in it\n"
    "  -q, --quiet        no trace on standard output; warnings still on stderr\n"
    "      --strict       exit with status 3 when an input was skipped or cut short\n"
    "      --html         also write the report as an HTML page: the report's name\n"
    "                     with .html in place of .txt\n"
    "  -j, --jobs=N       read files with N threads (default: WUS_JOBS, else one\n"
    "                     per core)\n"
    "  -h, --help         show this help and exit\n"
    "      --version      show the version and exit\n"
    "\n"
    "A file whose name starts with '-' can be given as ./-name or after '--'.\n"
    "Exit status: 0 report written; 1 report not written; 2 bad usage or out of\n"
    "memory; 3 with --strict, an input skipped or cut short (report written).\n";

// The hint that follows every usage error.
std::string UsageError(const std::string& message) {
  return "wusreport: " + message + "\nTry 'wusreport --help'.\n";
}

// An unknown option `shown`, given in the argument `arg`.
std::string UnknownOption(const std::string& shown, const std::string& arg) {
  return "wusreport: unknown option '" + shown +
         "'\nwusreport: a file whose name starts with '-' can be given as './" + arg +
         "' or after '--'\nTry 'wusreport --help'.\n";
}

bool ParseJobs(const std::string& text, unsigned* jobs) {
  unsigned value = 0;
  const char* end = text.data() + text.size();
  auto [ptr, ec] = std::from_chars(text.data(), end, value);
  if (text.empty() || ec != std::errc() || ptr != end || value < 1 || value > kMaxJobs) {
    return false;
  }
  *jobs = value;
  return true;
}

// Applies the option `name` ("o", "output", ...) with `value` where it
// takes one. Returns "" or the error message.
std::string Apply(const std::string& name, const std::string& shown, const std::string& value,
                  ReportOptions* options) {
  if (name == "o" || name == "output") {
    if (value.empty()) return "option '" + shown + "' needs a non-empty PATH";
    options->output = value;
  } else if (name == "j" || name == "jobs") {
    if (!ParseJobs(value, &options->jobs)) {
      return "option '" + shown + "' needs a number of jobs from 1 to " + std::to_string(kMaxJobs) +
             ", not '" + value + "'";
    }
  }
  return "";
}

bool TakesValue(const std::string& name) {
  return name == "o" || name == "output" || name == "j" || name == "jobs";
}

// Takes the value of the option `name` (shown as `shown`): the one given in
// the same argument, or else the next argument (moving `*i` on). Returns
// false with `*error` when there is none or it is not valid.
bool TakeValue(const std::vector<std::string>& args, std::size_t* i, const std::string& given,
               bool inlineValue, const std::string& name, const std::string& shown,
               ReportOptions* options, std::string* error) {
  std::string value = given;
  if (!inlineValue) {
    if (*i + 1 >= args.size()) {
      *error = UsageError("option '" + shown + "' needs a value");
      return false;
    }
    value = args[++*i];
  }
  std::string message = Apply(name, shown, value, options);
  if (!message.empty()) *error = UsageError(message);
  return message.empty();
}

}  // namespace

const char* UsageText() { return kUsage; }

CommandLine ParseCommandLine(const std::vector<std::string>& args, ReportOptions* options,
                             std::string* error) {
  *options = ReportOptions();
  bool optionsEnded = false;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    if (optionsEnded || arg.size() < 2 || arg[0] != '-') {
      options->paths.push_back(arg);
      continue;
    }
    if (arg == "--") {
      optionsEnded = true;
      continue;
    }
    if (arg.starts_with("--")) {
      std::size_t equals = arg.find('=');
      std::string name =
          arg.substr(2, equals == std::string::npos ? std::string::npos : equals - 2);
      std::string shown = "--" + name;
      if (name == "help") return CommandLine::kHelp;
      if (name == "version") return CommandLine::kVersion;
      bool flag = name == "quiet" || name == "strict" || name == "html";
      if (!flag && !TakesValue(name)) {
        *error = UnknownOption(arg, arg);
        return CommandLine::kError;
      }
      if (flag) {
        if (equals != std::string::npos) {
          *error = UsageError("option '" + shown + "' takes no value");
          return CommandLine::kError;
        }
        (name == "quiet"    ? options->quiet
         : name == "strict" ? options->strict
                            : options->html) = true;
        continue;
      }
      const bool inlineValue = equals != std::string::npos;
      if (!TakeValue(args, &i, inlineValue ? arg.substr(equals + 1) : "", inlineValue, name, shown,
                     options, error)) {
        return CommandLine::kError;
      }
      continue;
    }
    // Short options, bundled as in "-qo PATH" or "-oPATH".
    for (std::size_t k = 1; k < arg.size(); ++k) {
      const std::string name(1, arg[k]);
      const std::string shown = "-" + name;
      if (name == "h") return CommandLine::kHelp;
      if (name == "q") {
        options->quiet = true;
        continue;
      }
      if (!TakesValue(name)) {
        *error = UnknownOption(shown, arg);
        return CommandLine::kError;
      }
      const bool inlineValue = k + 1 < arg.size();
      if (!TakeValue(args, &i, inlineValue ? arg.substr(k + 1) : "", inlineValue, name, shown,
                     options, error)) {
        return CommandLine::kError;
      }
      break;
    }
  }
  return CommandLine::kRun;
}

}  // namespace wus
