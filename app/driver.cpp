// The program's control flow.
#include "app/driver.h"

#include <cstdio>
#include <cstdlib>
#include <memory>

#include "app/inputs.h"
#include "app/report_file.h"
#include "app/report_name.h"
#include "platform/platform.h"
#include "report/sections.h"
#include "stats/load_files.h"
#include "text/log.h"

namespace wus {
namespace {

// Writes "wusreport: MESSAGE" on standard error, after the console text so
// far, so that the two read in order where they meet.
void Warn(const std::string& message) {
  FlushConsole();
  std::fprintf(stderr, "wusreport: %s\n", message.c_str());
}

// Quiets the console for one run.
class QuietConsole {
 public:
  explicit QuietConsole(bool quiet) : quiet_(quiet) {
    if (quiet_) SetConsoleQuiet(true);
  }
  ~QuietConsole() {
    if (quiet_) SetConsoleQuiet(false);
  }
  QuietConsole(const QuietConsole&) = delete;
  QuietConsole& operator=(const QuietConsole&) = delete;

 private:
  bool quiet_;
};

// What the inputs came to.
struct InputCounts {
  std::size_t files = 0;
  std::size_t read = 0;
  std::size_t skipped = 0;
  std::size_t cutShort = 0;
};

// Tells on standard error what became of an input that was not simply read.
void WarnAbout(const std::string& path, const LoadResult& result, InputCounts* counts) {
  switch (result.status) {
    case LoadStatus::kAccepted:
      ++counts->read;
      if (result.cutShort) {
        ++counts->cutShort;
        Warn("'" + path + "' is cut short; counted what was read");
      }
      return;
    case LoadStatus::kCannotOpen:
      Warn("skipped '" + path + "': " + result.error);
      break;
    case LoadStatus::kNotWus:
      Warn("skipped '" + path + "': not a WUS file");
      break;
    case LoadStatus::kUnknownVersion:
      Warn("skipped '" + path + "': unknown version " + std::to_string(result.version));
      break;
  }
  ++counts->skipped;
}

// The job count: -j, else the environment's WUS_JOBS, else 0 (the default).
unsigned JobCount(const ReportOptions& options) {
  if (options.jobs != 0) return options.jobs;
  const char* fromEnvironment = std::getenv("WUS_JOBS");
  if (fromEnvironment == nullptr) return 0;
  unsigned long value = std::strtoul(fromEnvironment, nullptr, 10);
  return value <= 256 ? static_cast<unsigned>(value) : 0;
}

// Where the report goes: -o as given, or the usual name in the -o folder,
// or the usual name in the folder of the first suitable input.
std::string ReportPath(const ReportOptions& options, const ReportNaming& naming,
                       const LocalTime& time) {
  if (options.output.empty()) return naming.folder() + naming.FileName(time);
  if (IsFolder(options.output)) return JoinPath(options.output, naming.FileName(time));
  return options.output;
}

}  // namespace

void WriteReport(const StatsAggregate& aggregate, ReportStream& stream, unsigned threads) {
  WriteUsedFilesList(aggregate, stream);
  const unsigned threadCount = ThreadsForJobs(threads);
  WriteTables(WeaponRowIndex(aggregate, threadCount), stream, threadCount);
}

void WriteReport(const StatsAggregate& aggregate, ReportStream& stream) {
  WriteReport(aggregate, stream, 1);
}

int RunWusReport(const ReportOptions& options, const DriverEnv& env) {
  QuietConsole quiet(options.quiet);
  InputCounts counts;
  const InputList inputs = ExpandInputs(options.paths);
  for (const auto& [folder, reason] : inputs.unreadableFolders) {
    Warn("skipped '" + folder + "': " + reason);
    ++counts.skipped;
  }
  counts.files = inputs.files.size() + inputs.unreadableFolders.size();

  auto owned = std::make_unique<StatsAggregate>();
  StatsAggregate& aggregate = *owned;
  if (env.leaveAggregateAtExit) {
    static StatsAggregate* left = nullptr;
    delete left;
    left = owned.release();
  }
  ReportNaming naming;
  HtmlPageInput page;
  for (const auto& skipped : inputs.unreadableFolders) page.filesSkipped.push_back(skipped.first);
  LoadFiles(inputs.files, aggregate, JobCount(options), *env.fileSystem,
            [&](std::size_t index, const LoadResult& result) {
              const std::string& path = inputs.files[index];
              if (result.status == LoadStatus::kAccepted) {
                naming.Offer(result);
                page.filesRead.push_back(result.fullPath.substr(result.fileNamePos));
              } else {
                page.filesSkipped.push_back(path);
              }
              WarnAbout(path, result, &counts);
            });

  const std::string name = ReportPath(options, naming, env.localTime());
  LogMessage("Writing '%s'\n", name.c_str());
  std::string error;
  bool written = WriteReportFile(name, aggregate, JobCount(options), *env.fileSystem, &error,
                                 env.temporaryFile);
  if (!written) Warn("cannot write report '" + name + "': " + error);
  if (options.html) {
    const std::string pageName = HtmlPageName(name);
    LogMessage("Writing '%s'\n", pageName.c_str());
    if (!WriteHtmlPageFile(pageName, aggregate, page, *env.fileSystem, &error, env.temporaryFile)) {
      Warn("cannot write page '" + pageName + "': " + error);
      written = false;
    }
  }
  if (counts.skipped > 0 || counts.cutShort > 0) {
    Warn(std::to_string(counts.read) + " of " + std::to_string(counts.files) + " files read, " +
         std::to_string(counts.skipped) + " skipped, " + std::to_string(counts.cutShort) +
         " cut short");
  }
  if (!written) return kExitReportNotWritten;
  if (options.strict && (counts.skipped > 0 || counts.cutShort > 0)) return kExitStrictInputs;
  return kExitReportWritten;
}

int RunWusReport(const std::vector<std::string>& paths, const DriverEnv& env) {
  ReportOptions options;
  options.paths = paths;
  return RunWusReport(options, env);
}

}  // namespace wus
