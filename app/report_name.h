// The report's file name: the output folder, the two name tokens in
// parentheses and the local date and time,
// "%s(%s)_(%s)_%02d.%02d.%02d_%02d.%02d.%02d.txt" with month, day, year,
// hour, minute, second.
#pragma once

#include <string>

#include "platform/platform.h"
#include "stats/load_files.h"

namespace wus {

// The folder and the two tokens of the report's name. They come from the
// first accepted file whose name yields a non-empty token; while none has,
// every accepted file sets the folder again. All three stay empty when no
// file is accepted.
struct ReportNameParts {
  std::string folder;  // with its trailing separator
  std::string token1;
  std::string token2;

  // Takes the parts from `result` if it is an accepted file and no file
  // has yielded a token yet.
  void Offer(const LoadResult& result);
};

std::string FormatReportName(const ReportNameParts& parts, const LocalTime& time);

}  // namespace wus
