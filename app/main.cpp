// wusreport: merges WUS statistics files into one tab-separated report.
// Every argument is the path of a WUS file; there are no options.
#include <cstdio>
#include <exception>
#include <new>
#include <string>
#include <vector>

#include "app/driver.h"
#include "platform/platform.h"
#include "text/log.h"

int main(int argc, char** argv) {
  wus::BufferRedirectedConsole();
  try {
    std::vector<std::string> paths(argv + 1, argv + argc);
    int status = wus::RunWusReport(paths);
    std::fflush(stdout);
    return status;
  } catch (const std::bad_alloc&) {
    std::fflush(stdout);
    std::fputs("wusreport: out of memory - no report written\n", stderr);
  } catch (const std::exception& e) {
    std::fflush(stdout);
    std::fprintf(stderr, "wusreport: %s - no report written\n", e.what());
  }
  return 2;
}
