// The files-used list, the report's first section.
#include "app/driver.h"
#include "report/titles.h"

namespace wus {

void WriteUsedFilesList(const StatsAggregate& aggregate, ReportStream& stream) {
  stream.Write(kUsedFilesTitle);
  for (const NameBuf& fileName : aggregate.m_UsedFiles) {
    stream.Write("\t");
    stream.Write(fileName);
    stream.Write("\n");
  }
  stream.Write("\n");
}

}  // namespace wus
