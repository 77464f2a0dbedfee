// `wustool dump FILE`: the whole of a WUS file as JSON (json_codec.h), read
// front to back the way wusreport reads it, with where and how it ended.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/file_system.h"
#include "tools/json_writer.h"

namespace wus::tool {

struct DumpSummary {
  bool complete = false;       // every record was there
  std::uint64_t fileSize = 0;  // bytes read
};

// Writes the JSON form of the WUS file read from `file` to `sink`. Returns
// false iff the input is no WUS file, has a version this reader does not
// know (nothing is written then), or could not be read to its end; `*error`
// says which.
bool DumpWusFile(SequentialFile& file, const TextSink& sink, DumpSummary* summary,
                 std::string* error);

// The command; `args` are the arguments after "dump". Returns the exit status.
int RunDump(const std::vector<std::string>& args);

}  // namespace wus::tool
