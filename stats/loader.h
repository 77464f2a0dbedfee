// Merging one file's records into the aggregate, with the indented trace of
// the totals on the console. Files that cannot be opened, lack the magic or
// have a version above 2 are reported and add nothing. A file cut short
// adds everything that it held up to the cut; no record is invented past
// the end.
#pragma once

#include <string>

#include "platform/file_system.h"
#include "stats/file_records.h"
#include "stats/load_files.h"
#include "stats/model.h"

namespace wus {

// Writes the trace of the file at `path` (its "Processing" line first) and
// adds `records`, read from it, into `aggregate`: player and weapon records
// one by one in file order, as if read from the file right now. Returns what
// became of the file.
LoadResult MergeFileRecords(const std::string& path, const FileRecords& records,
                            StatsAggregate& aggregate);

// Reads and merges the file at `path` on the calling thread.
LoadResult LoadStatsFile(const std::string& path, StatsAggregate& aggregate,
                         FileSystem& fileSystem = FileSystem::Default());

}  // namespace wus
