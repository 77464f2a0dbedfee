// wustool: the companion of wusreport. Shows WUS files as JSON, writes them
// from JSON and generates sample corpora. See wustool.1.
#include <cstdio>
#include <exception>
#include <new>
#include <string>
#include <vector>

#include "tools/command_line.h"
#include "tools/dump.h"
#include "tools/make.h"
#include "tools/sample.h"

namespace {

constexpr char kHelp[] =
    "Usage: wustool COMMAND [ARGUMENTS]\n"
    "Inspects, writes and generates WUS statistics files, the input of wusreport.\n"
    "Commands:\n"
    "  dump FILE                print the WUS file FILE as JSON\n"
    "  make IN.json OUT.wus     write the WUS file that IN.json describes\n"
    "  sample --seed N --files K [OPTIONS] DIR\n"
    "                           write a reproducible corpus of sample files\n"
    "Options:\n"
    "  --help                   show this help ('wustool COMMAND --help' for a command)\n"
    "  --version                show the version\n";

int Run(const std::vector<std::string>& args) {
  using namespace wus::tool;
  if (args.empty()) {
    std::fputs("wustool: no command given\nTry 'wustool --help'.\n", stderr);
    return kExitUsage;
  }
  const std::string& command = args[0];
  std::vector<std::string> rest(args.begin() + 1, args.end());
  if (command == "--help" || command == "-h" || command == "help") return PrintText(kHelp);
  if (command == "--version") return PrintText("wustool " WUS_VERSION "\n");
  if (command == "dump") return RunDump(rest);
  if (command == "make") return RunMake(rest);
  if (command == "sample") return RunSample(rest);
  std::fprintf(stderr, "wustool: unknown command '%s'\nTry 'wustool --help'.\n", command.c_str());
  return kExitUsage;
}

}  // namespace

int main(int argc, char** argv) {
  try {
    return Run(std::vector<std::string>(argv + 1, argv + argc));
  } catch (const std::bad_alloc&) {
    std::fputs("wustool: out of memory\n", stderr);
  } catch (const std::exception& e) {
    std::fprintf(stderr, "wustool: %s\n", e.what());
  }
  return wus::tool::kExitFailure;
}
