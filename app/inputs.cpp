// Expanding folder arguments into their WUS files.
#include "app/inputs.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

namespace wus {

namespace fs = std::filesystem;

bool IsFolder(const std::string& path) {
  std::error_code ec;
  return fs::is_directory(fs::path(path), ec);
}

std::string JoinPath(const std::string& folder, const std::string& name) {
  const char last = folder.empty() ? '\0' : folder.back();
  if (last == '/' || (fs::path::preferred_separator == '\\' && last == '\\')) return folder + name;
  return folder + static_cast<char>(fs::path::preferred_separator) + name;
}

bool HasWusExtension(const std::string& name) {
  if (name.size() < 4) return false;
  std::string tail = name.substr(name.size() - 4);
  std::transform(tail.begin(), tail.end(), tail.begin(), [](char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
  });
  return tail == ".wus";
}

InputList ExpandInputs(const std::vector<std::string>& paths) {
  InputList list;
  for (const std::string& path : paths) {
    if (!IsFolder(path)) {
      list.files.push_back(path);
      continue;
    }
    std::vector<std::string> names;
    std::error_code ec;
    for (fs::directory_iterator it(fs::path(path), ec), end; !ec && it != end; it.increment(ec)) {
      std::string name = it->path().filename().string();
      std::error_code typeError;
      if (HasWusExtension(name) && !it->is_directory(typeError)) names.push_back(name);
    }
    if (ec) {
      list.unreadableFolders.emplace_back(path, ec.message());
      continue;
    }
    // Byte order: std::string compares its chars as unsigned bytes.
    std::sort(names.begin(), names.end());
    for (const std::string& name : names) list.files.push_back(JoinPath(path, name));
  }
  return list;
}

}  // namespace wus
