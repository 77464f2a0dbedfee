// Writing a file through an exclusive temporary file and a rename.
#include "platform/atomic_file.h"

#include <atomic>
#include <chrono>
#include <cstdint>
#include <random>

namespace wus {
namespace {

// Removes the temporary file unless it was renamed, also when an error
// (memory exhausted) passes through. It is created before the file is
// opened, so on every way out the file is closed before it is removed:
// Windows cannot remove a file that is open.
class CreatedFileGuard {
 public:
  explicit CreatedFileGuard(FileSystem& fileSystem) : fileSystem_(fileSystem) {}
  ~CreatedFileGuard() {
    if (!path_.empty()) fileSystem_.Remove(path_);
  }
  CreatedFileGuard(const CreatedFileGuard&) = delete;
  CreatedFileGuard& operator=(const CreatedFileGuard&) = delete;
  // This run created `path`: it is removed unless released.
  void Created(std::string path) { path_ = std::move(path); }
  void Release() { path_.clear(); }

 private:
  FileSystem& fileSystem_;
  std::string path_;
};

}  // namespace

std::string RandomSuffix() {
  std::uint64_t bits = 0;
  try {
    std::random_device random;
    bits = (std::uint64_t{random()} << 32) ^ random();
  } catch (...) {
    // No random source: the clock and a counter still make clashes rare,
    // and a clash only costs another attempt.
  }
  static std::atomic<std::uint64_t> counter{0};
  bits ^= static_cast<std::uint64_t>(
              std::chrono::high_resolution_clock::now().time_since_epoch().count()) *
          0x9e3779b97f4a7c15ULL;
  bits ^= counter.fetch_add(1) << 48;
  static constexpr char kHex[] = "0123456789abcdef";
  std::string suffix(16, '0');
  for (char& digit : suffix) {
    digit = kHex[bits & 15];
    bits >>= 4;
  }
  return suffix;
}

std::string FolderOf(const std::string& path) {
#ifdef _WIN32
  std::size_t slash = path.find_last_of("\\/");
#else
  std::size_t slash = path.rfind('/');
#endif
  return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

bool WriteFileAtomically(FileSystem& fileSystem, const std::string& path,
                         const std::function<bool(WritableFile&, std::string*)>& write,
                         std::string* error, const AtomicWriteOptions& options) {
  const std::string folder = FolderOf(path);
  CreatedFileGuard guard(fileSystem);
  std::unique_ptr<WritableFile> file;
  std::string temporary;
  for (int attempt = 0; attempt < options.attempts && !file; ++attempt) {
    temporary = folder + options.prefix + options.suffix() + ".tmp";
    bool exists = false;
    file = fileSystem.CreateNew(temporary, error, &exists);
    if (!file && !exists) return false;
  }
  if (!file) return false;  // every name tried was taken; `*error` says so
  guard.Created(temporary);
  if (!write(*file, error)) return false;
  bool closed = file->Close(error);
  file.reset();
  if (!closed || !fileSystem.Rename(temporary, path, error)) return false;
  guard.Release();
  return true;
}

}  // namespace wus
