// Whole-file reads and writes.
#include "tools/file_io.h"

#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <memory>

#include "platform/atomic_file.h"
#include "platform/platform.h"

namespace wus::tool {
namespace {

// Returns true iff something other than a regular file or a folder stands
// at `path`: a character device, a FIFO, a socket.
bool IsSpecialFile(const std::string& path) {
  std::error_code ec;
  std::filesystem::file_status status = std::filesystem::status(path, ec);
  return !ec && std::filesystem::exists(status) && !std::filesystem::is_regular_file(status) &&
         !std::filesystem::is_directory(status);
}

// Writes `bytes` into the existing special file `path`, opened without
// creating or truncating anything.
bool WriteIntoSpecialFile(const std::string& path, std::string_view bytes, std::string* error) {
  errno = 0;
  std::FILE* file = std::fopen(path.c_str(), "r+b");
  if (file == nullptr) {
    *error = ErrorText(errno);
    return false;
  }
  bool ok =
      std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size() && std::fflush(file) == 0;
  if (!ok) *error = errno != 0 ? ErrorText(errno) : "write error";
  if (std::fclose(file) != 0 && ok) {
    *error = ErrorText(errno);
    ok = false;
  }
  return ok;
}

}  // namespace

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

bool WriteWholeFile(FileSystem& fileSystem, const std::string& path, std::string_view bytes,
                    std::string* error) {
  if (IsSpecialFile(path)) return WriteIntoSpecialFile(path, bytes, error);
  AtomicWriteOptions options;
  options.prefix = ".wustool-";
  return WriteFileAtomically(
      fileSystem, path,
      [bytes](WritableFile& file, std::string* writeError) {
        return file.Append(bytes, writeError);
      },
      error, options);
}

}  // namespace wus::tool
