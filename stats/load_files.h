// Loading a list of files into one aggregate. Worker threads read the files
// (stats/file_records.h) while the calling thread merges them in argument
// order and writes the console echo and trace as it merges, so the trace,
// the aggregate and every first-sight order are those of loading the files
// one after the other. The calling thread reads files too whenever the next
// one to merge is not ready, so the readers never outnumber the jobs. At
// most a few files per reader are read ahead of the merge, so memory does
// not grow with the number of files.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "platform/file_system.h"
#include "stats/file_records.h"
#include "stats/model.h"

namespace wus {

// What became of one input file.
struct LoadResult {
  LoadStatus status = LoadStatus::kCannotOpen;
  std::string error;            // kCannotOpen: the system's reason text
  std::uint32_t version = 0;    // kUnknownVersion and kAccepted: the version read
  bool cutShort = false;        // kAccepted: the file ended before its last record
  std::string fullPath;         // kAccepted: the absolute path
  std::size_t fileNamePos = 0;  // kAccepted: where the file name begins in fullPath
};

// Loads `paths` in order into `aggregate`. For each path, in argument order,
// writes the console echo ("PATH "), the loader's trace, then calls
// onLoaded(index, result) on the calling thread. `jobs` is the number of
// reading threads, the calling one included (0: as many as cores). Two
// readers never read the same path at once (a named pipe given twice is
// read twice, one after the other). The readers call fileSystem.OpenForRead
// at the same time, each reading the file it opened on its own thread. An
// exception from a reader (out of memory) or from onLoaded reaches the
// caller once every worker has stopped.
void LoadFiles(const std::vector<std::string>& paths, StatsAggregate& aggregate, unsigned jobs,
               FileSystem& fileSystem,
               const std::function<void(std::size_t, const LoadResult&)>& onLoaded);

}  // namespace wus
