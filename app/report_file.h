// Writing the report file atomically: the sections go to a temporary file
// in the report's folder, which replaces the report's name only after every
// byte was written and the file closed without error. On any failure the
// temporary file is removed and an older report of the same name is left
// as it was.
#pragma once

#include <string>

#include "platform/file_system.h"
#include "stats/model.h"

namespace wus {

// Returns true iff the complete report now stands under `name`; otherwise
// `*error` says what failed.
bool WriteReportFile(const std::string& name, const StatsAggregate& aggregate,
                     FileSystem& fileSystem, std::string* error);

// The temporary file's name for the report `name`: a hidden file in the
// same folder, unique to this process.
std::string TemporaryReportName(const std::string& name);

}  // namespace wus
