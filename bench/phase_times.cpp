// wus_phase_times [--html PAGE] FILE...: loads the WUS files the way
// wusreport does (console text to standard output), then writes the whole
// report into a sink that discards it, and prints to standard error how
// long each of the two phases took: wall and CPU (user + system) seconds.
// With --html it then writes the HTML page to the file PAGE and prints that
// phase's times and the page's size too. The benchmark script uses it to
// weigh the report and the page against the loading.
#include <sys/resource.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <string_view>
#include <vector>

#include "app/driver.h"
#include "bench/bench_corpus.h"
#include "platform/platform.h"
#include "report/html/html_page.h"
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

// The page's bytes, kept in memory.
class CollectedFile final : public wus::WritableFile {
 public:
  bool Append(std::string_view data, std::string*) override {
    bytes.append(data);
    return true;
  }
  bool Close(std::string*) override { return true; }
  std::string bytes;
};

// The job count of WUS_JOBS, as wusreport takes it; 0 (one per core) when
// it is unset or not a number from 1 to 256.
unsigned JobsFromEnvironment() {
  const char* text = std::getenv("WUS_JOBS");
  if (text == nullptr) return 0;
  unsigned long value = std::strtoul(text, nullptr, 10);
  return value <= 256 ? static_cast<unsigned>(value) : 0;
}

}  // namespace

int main(int argc, char** argv) {
  wus::BufferRedirectedConsole();
  wus::StatsAggregate aggregate;
  int first = 1;
  std::string page;
  if (argc > 2 && std::string(argv[1]) == "--html") {
    page = argv[2];
    first = 3;
  }
  wus::HtmlPageInput input;
  Clock start = Now();
  std::vector<std::string> paths(argv + first, argv + argc);
  wus::LoadFiles(paths, aggregate, JobsFromEnvironment(), wus::FileSystem::Default(),
                 [&](std::size_t index, const wus::LoadResult& result) {
                   if (result.status == wus::LoadStatus::kAccepted) {
                     input.filesRead.push_back(result.fullPath.substr(result.fileNamePos));
                   } else {
                     input.filesSkipped.push_back(paths[index]);
                   }
                 });
  std::fflush(stdout);
  Clock loaded = Now();
  wus::bench::NullWritableFile sink;
  {
    wus::ReportStream stream(&sink);
    wus::WriteReport(aggregate, stream, JobsFromEnvironment());
    std::string error;
    stream.Flush(&error);
  }
  Clock written = Now();
  std::fprintf(stderr, "load_wall %.3f load_cpu %.3f report_wall %.3f report_cpu %.3f bytes %zu",
               loaded.wall - start.wall, loaded.cpu - start.cpu, written.wall - loaded.wall,
               written.cpu - loaded.cpu, static_cast<std::size_t>(sink.bytes));
  if (!page.empty()) {
    // Collected in memory, then written to the file in one go.
    CollectedFile collected;
    {
      wus::ReportStream stream(&collected);
      wus::WriteHtmlPage(aggregate, input, stream);
      std::string error;
      stream.Flush(&error);
    }
    std::ofstream out(page, std::ios::binary);
    out.write(collected.bytes.data(), static_cast<std::streamsize>(collected.bytes.size()));
    out.close();
    Clock paged = Now();
    std::fprintf(stderr, " html_wall %.3f html_cpu %.3f html_bytes %zu", paged.wall - written.wall,
                 paged.cpu - written.cpu, collected.bytes.size());
  }
  std::fprintf(stderr, "\n");
  return 0;
}
