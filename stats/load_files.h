// Loading a list of input files into one aggregate, in argument order, with
// what became of each file reported to the caller as it is merged. The
// console shows, for each path, its echo ("PATH ") and the loader's trace.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "platform/file_system.h"
#include "stats/model.h"

namespace wus {

// What became of one input file.
enum class LoadStatus { kAccepted, kCannotOpen, kNotWus, kUnknownVersion };

struct LoadResult {
  LoadStatus status = LoadStatus::kCannotOpen;
  std::string error;            // kCannotOpen: the system's reason text
  std::uint32_t version = 0;    // kUnknownVersion and kAccepted: the version read
  bool cutShort = false;        // kAccepted: the file ended before its last record
  std::string fullPath;         // kAccepted: the absolute path
  std::size_t fileNamePos = 0;  // kAccepted: where the file name begins in fullPath
};

// Called after each file was merged, in argument order, with its index in
// the list and what became of it.
using LoadedCallback = std::function<void(std::size_t, const LoadResult&)>;

// Loads `paths` in order into `aggregate`. For each path, in argument order,
// writes the console echo ("PATH "), the loader's trace, then calls
// onLoaded(index, result) on the calling thread. `jobs` is the number of
// worker threads (0: as many as cores).
void LoadFiles(const std::vector<std::string>& paths, StatsAggregate& aggregate, unsigned jobs,
               FileSystem& fileSystem, const LoadedCallback& onLoaded);

}  // namespace wus
