// The program's control flow: expand folders into their WUS files, load
// every file into one aggregate, name the report after the first suitable
// file and the local time (or put it where -o says), write it atomically,
// and tell on standard error what was skipped or cut short.
#pragma once

#include <string>
#include <vector>

#include "app/options.h"
#include "platform/atomic_file.h"
#include "platform/file_system.h"
#include "platform/platform.h"
#include "stats/model.h"
#include "text/report_stream.h"

namespace wus {

struct DriverEnv {
  FileSystem* fileSystem = &FileSystem::Default();
  LocalTime (*localTime)() = &GetLocalTimeNow;
  // How the report's temporary file is named (tests inject known names).
  AtomicWriteOptions temporaryFile;
  // Set by the program, whose process ends right after the run: the
  // aggregate is then left to the operating system rather than taken apart
  // list by list, which is a tenth of a run over 20,000 players. It stays
  // reachable, so leak checkers do not report it.
  bool leaveAggregateAtExit = false;
};

// Runs the whole program with `options`. Returns the exit status: 0 when
// the report was written, 1 when it could not be (with a message on
// standard error and no partial file left), 3 when --strict was given and
// an input was skipped or cut short (the report written all the same).
int RunWusReport(const ReportOptions& options, const DriverEnv& env = DriverEnv());

// Runs the program without options: every one of `paths` is a path.
int RunWusReport(const std::vector<std::string>& paths, const DriverEnv& env = DriverEnv());

// The report's first section: the file names of the accepted files.
void WriteUsedFilesList(const StatsAggregate& aggregate, ReportStream& stream);

// Writes every section of the report, in order, to `stream`; the tables on
// `threads` threads side by side (report/sections.h), 0 meaning one per
// core. The bytes do not depend on the number of threads.
void WriteReport(const StatsAggregate& aggregate, ReportStream& stream, unsigned threads);
// The same on the calling thread alone.
void WriteReport(const StatsAggregate& aggregate, ReportStream& stream);

}  // namespace wus
