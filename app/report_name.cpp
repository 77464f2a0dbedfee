// The report's file name.
#include "app/report_name.h"

#include "stats/name_tokens.h"
#include "text/format.h"

namespace wus {

void ReportNameParts::Offer(const LoadResult& result) {
  if (result.status != LoadStatus::kAccepted || !token1.empty() || !token2.empty()) return;
  std::string_view fileName = std::string_view(result.fullPath).substr(result.fileNamePos);
  TakeNameTokens(fileName, &token1, &token2);
  folder = result.fullPath.substr(0, result.fileNamePos);
}

std::string FormatReportName(const ReportNameParts& parts, const LocalTime& time) {
  // The folder and tokens are data: they are appended, never formatted.
  std::string name = parts.folder;
  name += '(';
  name += parts.token1;
  name += ")_(";
  name += parts.token2;
  name += ")_";
  AppendFormat(&name, "%02d.%02d.%02d_%02d.%02d.%02d.txt", time.month, time.day, time.year,
               time.hour, time.minute, time.second);
  return name;
}

}  // namespace wus
