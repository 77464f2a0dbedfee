// Whole-file reads (through the project's FileSystem) and writes for wustool.
#pragma once

#include <string>
#include <string_view>

namespace wus::tool {

// Returns true iff all of `path` was read into `*contents`; else `*error`.
bool ReadWholeFile(const std::string& path, std::string* contents, std::string* error);

// Returns true iff `bytes` were written to `path` (created or replaced) and
// the file closed without error; else `*error`, and no file is left.
bool WriteWholeFile(const std::string& path, std::string_view bytes, std::string* error);

}  // namespace wus::tool
