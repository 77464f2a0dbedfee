// The loader: reads one WUS file front to back and sums it into the
// aggregate, with an indented trace of the totals on the console. Files that
// cannot be opened, lack the magic or have a version above 2 are reported
// and add nothing. A file cut short adds everything that it held up to the
// cut; no record is invented past the end.
#pragma once

#include <cstdint>
#include <string>

#include "platform/file_system.h"
#include "stats/load_files.h"
#include "stats/model.h"

namespace wus {

// Run-wide loader state: written while loading, read by the driver to name
// the report. The directory and the two tokens come from the first accepted
// file whose name yields a non-empty token (while none has, every accepted
// file sets the directory again).
struct LoaderState {
  std::uint32_t g_FileVersion = 0;  // version of the file being loaded
  std::string g_OutputDir;          // with its trailing separator
  std::string g_NameToken1;
  std::string g_NameToken2;
};

// Loads the file at `path` into `aggregate`. Never fails: whatever becomes
// of the file shows on the console and in the aggregate, and the result says
// it to the caller.
LoadResult LoadStatsFile(const std::string& path, StatsAggregate& aggregate, LoaderState& state,
                         FileSystem& fileSystem = FileSystem::Default());

}  // namespace wus
