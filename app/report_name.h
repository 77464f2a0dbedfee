// The report's file name: the output folder, the two name tokens in
// parentheses and the local date and time,
// "%s(%s)_(%s)_%02d.%02d.%02d_%02d.%02d.%02d.txt" with month, day, year,
// hour, minute, second.
#pragma once

#include <string>

#include "platform/platform.h"
#include "stats/loader.h"

namespace wus {

std::string FormatReportName(const LoaderState& state, const LocalTime& time);

}  // namespace wus
