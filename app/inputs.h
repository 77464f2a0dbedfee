// The input files of a run: the paths as given, with each folder replaced by
// the *.wus files directly in it (the extension in any letter case), in byte
// order of their names, as "LC_ALL=C" globbing would list them. Each such
// file is then read exactly as if it had been given by name.
#pragma once

#include <string>
#include <vector>

namespace wus {

struct InputList {
  std::vector<std::string> files;  // in order
  // Folders that could not be listed, with the system's reason.
  std::vector<std::pair<std::string, std::string>> unreadableFolders;
};

InputList ExpandInputs(const std::vector<std::string>& paths);

// Returns true iff `path` names a folder (following symbolic links).
bool IsFolder(const std::string& path);

// `folder` joined to a name in it, the way a shell's glob would give it: with
// the separator the folder ends with, or else the platform's own.
std::string JoinPath(const std::string& folder, const std::string& name);

// Returns true iff `name` ends with ".wus" in any letter case.
bool HasWusExtension(const std::string& name);

}  // namespace wus
