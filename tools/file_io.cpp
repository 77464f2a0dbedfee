// Whole-file reads and writes.
#include "tools/file_io.h"

#include <cerrno>
#include <cstdio>
#include <memory>

#include "platform/file_system.h"
#include "platform/platform.h"

namespace wus::tool {

bool ReadWholeFile(const std::string& path, std::string* contents, std::string* error) {
  std::unique_ptr<SequentialFile> file = FileSystem::Default().OpenForRead(path, error);
  if (!file) return false;
  contents->clear();
  char buffer[1 << 16];
  while (true) {
    std::size_t got = 0;
    if (!file->Read(buffer, sizeof buffer, &got, error)) return false;
    if (got == 0) return true;
    contents->append(buffer, got);
  }
}

bool WriteWholeFile(const std::string& path, std::string_view bytes, std::string* error) {
  // Plain stdio without the fsync of FileSystem: a sample corpus is
  // thousands of files, and none of them replaces anything of value.
  std::FILE* file = std::fopen(path.c_str(), "wb");
  if (file == nullptr) {
    *error = ErrorText(errno);
    return false;
  }
  bool ok = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
  if (!ok) *error = ErrorText(errno);
  if (std::fclose(file) != 0 && ok) {
    *error = ErrorText(errno);
    ok = false;
  }
  if (!ok) std::remove(path.c_str());
  return ok;
}

}  // namespace wus::tool
