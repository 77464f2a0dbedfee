// Writing the report file atomically.
#include "app/report_file.h"

#include "app/driver.h"
#include "text/report_stream.h"

namespace wus {

bool WriteReportFile(const std::string& name, StatsAggregate& aggregate, FileSystem& fileSystem,
                     std::string* error, const AtomicWriteOptions& options) {
  return WriteFileAtomically(
      fileSystem, name,
      [&](WritableFile& file, std::string* writeError) {
        ReportStream stream(&file);
        WriteReport(aggregate, stream);
        return stream.Flush(writeError);
      },
      error, options);
}

}  // namespace wus
