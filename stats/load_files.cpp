// Loading a list of input files, one after the other.
#include "stats/load_files.h"

#include "stats/loader.h"
#include "text/log.h"

namespace wus {

void LoadFiles(const std::vector<std::string>& paths, StatsAggregate& aggregate, unsigned,
               FileSystem& fileSystem, const LoadedCallback& onLoaded) {
  LoaderState state;
  for (std::size_t i = 0; i < paths.size(); ++i) {
    // The echo ends no line: the loader's first line continues it.
    ConsoleEcho(paths[i]);
    ConsoleEcho(" ");
    LoadResult result = LoadStatsFile(paths[i], aggregate, state, fileSystem);
    onLoaded(i, result);
  }
}

}  // namespace wus
