// The report's place and name.
#include "app/report_name.h"

#include "stats/name_tokens.h"
#include "text/format.h"

namespace wus {

void ReportNaming::Offer(const LoadResult& file) {
  if (file.status != LoadStatus::kAccepted || !token1_.empty() || !token2_.empty()) return;
  std::string_view fullPath = file.fullPath;
  TakeNameTokens(fullPath.substr(file.fileNamePos), &token1_, &token2_);
  folder_ = file.fullPath.substr(0, file.fileNamePos);
}

std::string ReportNaming::FileName(const LocalTime& time) const {
  // The tokens are data: they are appended, never formatted.
  std::string name = "(";
  name += token1_;
  name += ")_(";
  name += token2_;
  name += ")_";
  AppendFormat(&name, "%02d.%02d.%02d_%02d.%02d.%02d.txt", time.month, time.day, time.year,
               time.hour, time.minute, time.second);
  return name;
}

}  // namespace wus
