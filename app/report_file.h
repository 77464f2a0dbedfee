// Writing the report file, and its HTML page, atomically: the bytes go to a
// new temporary file in the target's folder (platform/atomic_file.h), which
// replaces the target's name only after every byte was written and the file
// closed without error. On any failure the temporary file is removed and an older
// report of the same name is left as it was.
#pragma once

#include <string>

#include "platform/atomic_file.h"
#include "platform/file_system.h"
#include "report/html/html_page.h"
#include "stats/model.h"

namespace wus {

// Returns true iff the complete report now stands under `name`; otherwise
// `*error` says what failed. `threads` write its tables (see WriteReport).
bool WriteReportFile(const std::string& name, const StatsAggregate& aggregate, unsigned threads,
                     FileSystem& fileSystem, std::string* error,
                     const AtomicWriteOptions& options = {});

// The same for the HTML page of the report.
bool WriteHtmlPageFile(const std::string& name, const StatsAggregate& aggregate,
                       const HtmlPageInput& input, FileSystem& fileSystem, std::string* error,
                       const AtomicWriteOptions& options = {});

// The page's name for the report `reportName`: ".txt" at its end replaced by
// ".html", else ".html" appended.
std::string HtmlPageName(const std::string& reportName);

}  // namespace wus
