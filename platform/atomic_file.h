// Writing a file so that it appears whole or not at all. The bytes go to a
// new temporary file in the target's folder, created exclusively under a
// name nobody can predict (a random suffix, drawn again while the name is
// taken), and the temporary file is renamed onto the target only after every
// byte was written and the file closed without error. A symbolic link or a
// file planted at a temporary name is never written through nor removed:
// the only file this removes is the temporary file it created itself.
#pragma once

#include <functional>
#include <string>

#include "platform/file_system.h"

namespace wus {

// Returns a fresh random suffix for a temporary name: 16 hex digits from the
// system's random source.
std::string RandomSuffix();

struct AtomicWriteOptions {
  // The temporary file is "<folder of the target><prefix><suffix>.tmp".
  std::string prefix = ".wusreport-";
  // Gives the suffix of each attempt; tests inject names they know.
  std::function<std::string()> suffix = RandomSuffix;
  // How many names are tried while each one is taken.
  int attempts = 64;
};

// Writes the bytes that `write` puts into the file and renames the file onto
// `path`. `write` returns true iff it wrote everything (else it sets
// `*error`); an exception from it passes through. Returns true iff the
// complete file now stands under `path`; otherwise `*error` says what failed,
// the temporary file is gone and `path` is as it was.
bool WriteFileAtomically(FileSystem& fileSystem, const std::string& path,
                         const std::function<bool(WritableFile&, std::string*)>& write,
                         std::string* error, const AtomicWriteOptions& options = {});

// The folder part of `path`, with its trailing separator ("" for a bare
// name).
std::string FolderOf(const std::string& path);

}  // namespace wus
