// Whole-file reads and writes for wustool, through the project's FileSystem.
#pragma once

#include <string>
#include <string_view>

#include "platform/file_system.h"

namespace wus::tool {

// Returns true iff all of `path` was read into `*contents`; else `*error`.
bool ReadWholeFile(const std::string& path, std::string* contents, std::string* error);

// Writes `bytes` as the whole content of `path`. Returns true iff every byte
// was written; else `*error`. A regular file (or no file) at `path` is
// replaced atomically through a new temporary file in its folder, so on a
// failure `path` is left exactly as it was. A device or FIFO at `path` is
// written into as it is; it is never truncated or removed.
bool WriteWholeFile(FileSystem& fileSystem, const std::string& path, std::string_view bytes,
                    std::string* error);

}  // namespace wus::tool
