// wus_phase_times: loads the WUS files named on the command line the way
// wusreport does (console text to standard output), then writes the whole
// report into a sink that discards it, and prints to standard error how
// long each of the two phases took: wall and CPU (user + system) seconds.
// The benchmark script uses it to weigh the report against the loading.
#include <sys/resource.h>

#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

#include "app/driver.h"
#include "bench/bench_corpus.h"
#include "platform/platform.h"
#include "stats/load_files.h"
#include "text/log.h"
#include "text/report_stream.h"

namespace {

struct Clock {
  double wall;
  double cpu;
};

Clock Now() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  auto seconds = [](const timeval& t) {
    return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_usec) / 1e6;
  };
  double wall =
      std::chrono::duration<double>(std::chrono::steady_clock::now().time_since_epoch()).count();
  return {wall, seconds(usage.ru_utime) + seconds(usage.ru_stime)};
}

}  // namespace

int main(int argc, char** argv) {
  wus::BufferRedirectedConsole();
  wus::StatsAggregate aggregate;
  Clock start = Now();
  std::vector<std::string> paths(argv + 1, argv + argc);
  wus::LoadFiles(paths, aggregate, wus::JobsFromEnvironment(), wus::FileSystem::Default(),
                 [](std::size_t, const wus::LoadResult&) {});
  std::fflush(stdout);
  Clock loaded = Now();
  wus::bench::NullWritableFile sink;
  {
    wus::ReportStream stream(&sink);
    wus::WriteReport(aggregate, stream);
    std::string error;
    stream.Flush(&error);
  }
  Clock written = Now();
  std::fprintf(stderr, "load_wall %.3f load_cpu %.3f report_wall %.3f report_cpu %.3f bytes %zu\n",
               loaded.wall - start.wall, loaded.cpu - start.cpu, written.wall - loaded.wall,
               written.cpu - loaded.cpu, sink.bytes);
  return 0;
}
