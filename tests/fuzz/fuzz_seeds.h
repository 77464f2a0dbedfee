// The seed inputs of the two fuzz targets: small WUS files of every version
// and shape, with awkward names and floats, cut and rejected ones among
// them, and joined in twos and threes for the merge target. The seed writer
// puts them into the fuzzers' corpus folders; the unit tests replay them.
#pragma once

#include <string>
#include <vector>

namespace wus::fuzz {

struct Seed {
  std::string name;   // a file name for it, without folder
  std::string bytes;  // the input
};

// Inputs of the load target: each one WUS file.
std::vector<Seed> LoadSeeds();
// Inputs of the merge target: each files joined by JoinMergeInput.
std::vector<Seed> MergeSeeds();

}  // namespace wus::fuzz
