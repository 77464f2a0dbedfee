// The program's control flow: load every path into one aggregate, name the
// report after the first suitable file and the local time, write the report
// atomically next to that file.
#pragma once

#include <string>
#include <vector>

#include "platform/file_system.h"
#include "platform/platform.h"
#include "stats/model.h"
#include "text/report_stream.h"

namespace wus {

// The number of loading threads the environment variable WUS_JOBS asks for:
// its value when it is a whole number from 0 to 1024, else 0 (as many as
// cores).
unsigned JobsFromEnvironment();

struct DriverEnv {
  FileSystem* fileSystem = &FileSystem::Default();
  LocalTime (*localTime)() = &GetLocalTimeNow;
  // Threads that read the input files; 0: as many as cores.
  unsigned jobs = JobsFromEnvironment();
};

// Runs the whole program over `paths` (every argument is a path). Returns
// the exit status: 0 when the report was written, 1 when it could not be
// (with a message on standard error and no partial file left).
int RunWusReport(const std::vector<std::string>& paths, const DriverEnv& env = DriverEnv());

// The report's first section: the file names of the accepted files.
void WriteUsedFilesList(const StatsAggregate& aggregate, ReportStream& stream);

// Writes every section of the report, in order, to `stream`.
void WriteReport(const StatsAggregate& aggregate, ReportStream& stream);

}  // namespace wus
