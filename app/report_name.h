// The report's place and name. The folder and the two name tokens come from
// the first accepted file whose name yields a non-empty token; while no file
// has, every accepted file sets the folder again (and with no accepted file
// at all, folder and tokens are empty: the current folder). The name is
// "(%s)_(%s)_%02d.%02d.%02d_%02d.%02d.%02d.txt" with the tokens, then month,
// day, year, hour, minute and second.
#pragma once

#include <string>

#include "platform/platform.h"
#include "stats/load_files.h"

namespace wus {

class ReportNaming {
 public:
  // Takes the folder and tokens from an accepted file, unless an earlier
  // file already gave a non-empty token; a file that was not accepted
  // changes nothing.
  void Offer(const LoadResult& file);

  // The folder, with its trailing separator ("" for the current folder).
  const std::string& folder() const { return folder_; }
  // The report's file name without a folder.
  std::string FileName(const LocalTime& time) const;

 private:
  std::string folder_;
  std::string token1_;
  std::string token2_;
};

}  // namespace wus
