// The inputs of the golden end-to-end report: three small WUS files that
// together reach every section of the report and its awkward cases (a
// player merged across letter case, Cyrillic and "."/"%" in names, items
// without "wpn_", hits without bone names, a whole-number longest distance,
// signed money, a rejected file).
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "stats/wus_file.h"

namespace wus::test {

// File names and bytes, in the order they are given on the command line.
std::vector<std::pair<std::string, std::string>> GoldenInputs();

}  // namespace wus::test
