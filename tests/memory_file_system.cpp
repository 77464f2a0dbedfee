// The in-memory file system.
#include "tests/memory_file_system.h"

#include <cerrno>

#include "platform/platform.h"

namespace wus::test {
namespace {

class MemoryReadFile final : public SequentialFile {
 public:
  explicit MemoryReadFile(std::shared_ptr<const std::string> bytes) : bytes_(std::move(bytes)) {}

  bool Read(char* buffer, std::size_t n, std::size_t* got, std::string*) override {
    *got = bytes_->copy(buffer, n, pos_ < bytes_->size() ? pos_ : bytes_->size());
    pos_ += *got;
    return true;
  }

 private:
  std::shared_ptr<const std::string> bytes_;
  std::size_t pos_ = 0;
};

class MemoryWriteFile final : public WritableFile {
 public:
  explicit MemoryWriteFile(std::shared_ptr<std::string> bytes) : bytes_(std::move(bytes)) {}

  bool Append(std::string_view data, std::string*) override {
    bytes_->append(data);
    return true;
  }
  bool Close(std::string*) override { return true; }

 private:
  std::shared_ptr<std::string> bytes_;
};

}  // namespace

void MemoryFileSystem::SetFile(const std::string& path, std::string bytes) {
  files_[path] = std::make_shared<std::string>(std::move(bytes));
}

const std::string* MemoryFileSystem::Find(const std::string& path) const {
  auto found = files_.find(path);
  return found == files_.end() ? nullptr : found->second.get();
}

std::vector<std::string> MemoryFileSystem::Paths() const {
  std::vector<std::string> paths;
  for (const auto& [path, bytes] : files_) paths.push_back(path);
  return paths;
}

std::unique_ptr<SequentialFile> MemoryFileSystem::OpenForRead(const std::string& path,
                                                              std::string* error) {
  auto found = files_.find(path);
  if (found == files_.end()) {
    *error = ErrorText(ENOENT);
    return nullptr;
  }
  return std::make_unique<MemoryReadFile>(found->second);
}

std::unique_ptr<WritableFile> MemoryFileSystem::CreateNew(const std::string& path,
                                                          std::string* error, bool* exists) {
  const bool taken = files_.count(path) != 0;
  if (exists != nullptr) *exists = taken;
  if (taken) {
    *error = ErrorText(EEXIST);
    return nullptr;
  }
  auto bytes = std::make_shared<std::string>();
  files_[path] = bytes;
  return std::make_unique<MemoryWriteFile>(std::move(bytes));
}

bool MemoryFileSystem::Rename(const std::string& from, const std::string& to, std::string* error) {
  auto found = files_.find(from);
  if (found == files_.end()) {
    *error = ErrorText(ENOENT);
    return false;
  }
  std::shared_ptr<std::string> bytes = std::move(found->second);
  files_.erase(found);
  files_[to] = std::move(bytes);
  return true;
}

void MemoryFileSystem::Remove(const std::string& path) { files_.erase(path); }

}  // namespace wus::test
