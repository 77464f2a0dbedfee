// Writing the report file and its HTML page atomically.
#include "app/report_file.h"

#include "app/driver.h"
#include "text/report_stream.h"

namespace wus {

bool WriteReportFile(const std::string& name, const StatsAggregate& aggregate, unsigned threads,
                     FileSystem& fileSystem, std::string* error,
                     const AtomicWriteOptions& options) {
  return WriteFileAtomically(
      fileSystem, name,
      [&](WritableFile& file, std::string* writeError) {
        ReportStream stream(&file);
        WriteReport(aggregate, stream, threads);
        return stream.Flush(writeError);
      },
      error, options);
}

bool WriteHtmlPageFile(const std::string& name, const StatsAggregate& aggregate,
                       const HtmlPageInput& input, FileSystem& fileSystem, std::string* error,
                       const AtomicWriteOptions& options) {
  return WriteFileAtomically(
      fileSystem, name,
      [&](WritableFile& file, std::string* writeError) {
        ReportStream stream(&file);
        WriteHtmlPage(aggregate, input, stream);
        return stream.Flush(writeError);
      },
      error, options);
}

std::string HtmlPageName(const std::string& reportName) {
  constexpr std::string_view kText = ".txt";
  if (reportName.ends_with(kText)) {
    return reportName.substr(0, reportName.size() - kText.size()) + ".html";
  }
  return reportName + ".html";
}

}  // namespace wus
