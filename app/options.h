// wusreport's command line: GNU-style options mixed freely with paths, "--"
// ending the options. Without any option every argument is a path, as it
// always was.
#pragma once

#include <string>
#include <vector>

namespace wus {

struct ReportOptions {
  std::vector<std::string> paths;  // files and folders, in order
  std::string output;              // -o: the report's path or folder; "" for the usual place
  bool quiet = false;              // -q: no trace on standard output
  bool strict = false;             // --strict: status 3 when an input was skipped or cut short
  bool html = false;               // --html: also the report as an HTML page
  unsigned jobs = 0;               // -j: loader threads; 0 for the default
};

enum class CommandLine {
  kRun,      // run with the options
  kHelp,     // print the usage, status 0
  kVersion,  // print the version, status 0
  kError     // bad usage: the message says why, status 2
};

// Parses the arguments after the program's name into `*options`. On kError
// `*error` holds the message lines to print on standard error.
CommandLine ParseCommandLine(const std::vector<std::string>& args, ReportOptions* options,
                             std::string* error);

// The usage text of --help.
const char* UsageText();

// The exit statuses.
inline constexpr int kExitReportWritten = 0;
inline constexpr int kExitReportNotWritten = 1;
inline constexpr int kExitUsageOrMemory = 2;
inline constexpr int kExitStrictInputs = 3;

}  // namespace wus
