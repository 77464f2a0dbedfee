// wusreport: merges WUS statistics files into one tab-separated report.
// main is the command line and one call of the driver.
#include <cstdio>
#include <exception>
#include <new>
#include <string>
#include <vector>

#include "app/driver.h"
#include "app/options.h"
#include "platform/platform.h"
#include "text/log.h"

#ifdef __MINGW32__
// The MinGW C runtime expands wildcards in the arguments (cmd.exe does not),
// so that "wusreport *.wus" typed there sees the files.
extern "C" {
int _dowildcard = -1;
}
#endif

int main(int argc, char** argv) {
  wus::IgnoreBrokenPipeSignal();
  wus::BufferRedirectedConsole();
  try {
    wus::ReportOptions options;
    std::string error;
    switch (
        wus::ParseCommandLine(std::vector<std::string>(argv + 1, argv + argc), &options, &error)) {
      case wus::CommandLine::kHelp:
        std::fputs(wus::UsageText(), stdout);
        return wus::kExitReportWritten;
      case wus::CommandLine::kVersion:
        std::fputs("wusreport " WUS_VERSION "\n", stdout);
        return wus::kExitReportWritten;
      case wus::CommandLine::kError:
        std::fputs(error.c_str(), stderr);
        return wus::kExitUsageOrMemory;
      case wus::CommandLine::kRun:
        break;
    }
    wus::DriverEnv env;
    env.leaveAggregateAtExit = true;
    int status = wus::RunWusReport(options, env);
    wus::FlushConsole();
    return status;
  } catch (const std::bad_alloc&) {
    wus::FlushConsole();
    std::fputs("wusreport: out of memory - no report written\n", stderr);
  } catch (const std::exception& e) {
    wus::FlushConsole();
    std::fprintf(stderr, "wusreport: %s - no report written\n", e.what());
  }
  return wus::kExitUsageOrMemory;
}
