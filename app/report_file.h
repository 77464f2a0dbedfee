// Writing the report file atomically: the sections go to a new temporary
// file in the report's folder (platform/atomic_file.h), which replaces the
// report's name only after every byte was written and the file closed
// without error. On any failure the temporary file is removed and an older
// report of the same name is left as it was.
#pragma once

#include <string>

#include "platform/atomic_file.h"
#include "platform/file_system.h"
#include "stats/model.h"

namespace wus {

// Returns true iff the complete report now stands under `name`; otherwise
// `*error` says what failed.
bool WriteReportFile(const std::string& name, StatsAggregate& aggregate, FileSystem& fileSystem,
                     std::string* error, const AtomicWriteOptions& options = {});

}  // namespace wus
