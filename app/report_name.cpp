// The report's file name.
#include "app/report_name.h"

#include "text/format.h"

namespace wus {

std::string FormatReportName(const LoaderState& state, const LocalTime& time) {
  // The folder and tokens are data: they are appended, never formatted.
  std::string name = state.g_OutputDir;
  name += '(';
  name += state.g_NameToken1;
  name += ")_(";
  name += state.g_NameToken2;
  name += ")_";
  AppendFormat(&name, "%02d.%02d.%02d_%02d.%02d.%02d.txt", time.month, time.day, time.year,
               time.hour, time.minute, time.second);
  return name;
}

}  // namespace wus
