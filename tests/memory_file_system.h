// An in-memory FileSystem for tests and fuzz targets. Each file is a byte
// string under its path, taken literally: there are no folders and nothing
// is normalised. As on POSIX, a file removed or renamed while it is open
// keeps its open handles working.
#pragma once

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "platform/file_system.h"

namespace wus::test {

class MemoryFileSystem final : public FileSystem {
 public:
  // Creates or replaces the file `path`.
  void SetFile(const std::string& path, std::string bytes);
  // Returns the bytes of `path`, or null if there is no such file. Valid
  // until the file is replaced, removed or renamed.
  const std::string* Find(const std::string& path) const;
  // Returns every path, sorted.
  std::vector<std::string> Paths() const;

  std::unique_ptr<SequentialFile> OpenForRead(const std::string& path, std::string* error) override;
  std::unique_ptr<WritableFile> CreateNew(const std::string& path, std::string* error,
                                          bool* exists) override;
  bool Rename(const std::string& from, const std::string& to, std::string* error) override;
  void Remove(const std::string& path) override;

 private:
  std::map<std::string, std::shared_ptr<std::string>> files_;
};

}  // namespace wus::test
