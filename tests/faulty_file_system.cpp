// The fault-injecting file system.
#include "tests/faulty_file_system.h"

#include <algorithm>
#include <new>

namespace wus::test {
namespace {

class FaultyReadFile final : public SequentialFile {
 public:
  FaultyReadFile(std::unique_ptr<SequentialFile> base, const FaultPlan& plan)
      : base_(std::move(base)), plan_(plan) {}

  bool Read(char* buffer, std::size_t n, std::size_t* got, std::string* error) override {
    *got = 0;
    if (pos_ >= plan_.failReadAt) {
      *error = kInjectedError;
      return false;
    }
    std::uint64_t wanted = std::min<std::uint64_t>({n, plan_.readChunk, plan_.failReadAt - pos_});
    if (!base_->Read(buffer, static_cast<std::size_t>(wanted), got, error)) return false;
    pos_ += *got;
    return true;
  }

 private:
  std::unique_ptr<SequentialFile> base_;
  const FaultPlan& plan_;
  std::uint64_t pos_ = 0;
};

}  // namespace

class FaultyWritableFile final : public WritableFile {
 public:
  FaultyWritableFile(FaultyFileSystem& fileSystem, std::string path,
                     std::unique_ptr<WritableFile> base)
      : fileSystem_(fileSystem), path_(std::move(path)), base_(std::move(base)) {
    ++fileSystem_.openForWrite_[path_];
  }
  ~FaultyWritableFile() override {
    base_.reset();
    if (--fileSystem_.openForWrite_[path_] == 0) fileSystem_.openForWrite_.erase(path_);
  }

  bool Append(std::string_view data, std::string* error) override {
    const FaultPlan& plan = fileSystem_.plan_;
    if (++fileSystem_.appends_ != plan.failAppend) return base_->Append(data, error);
    if (plan.throwInsteadOfFail) throw std::bad_alloc();
    base_->Append(data.substr(0, data.size() / 2), error);
    *error = kInjectedError;
    return false;
  }

  bool Close(std::string* error) override {
    bool closed = base_->Close(error);
    if (!fileSystem_.plan_.failClose) return closed;
    *error = kInjectedError;
    return false;
  }

 private:
  FaultyFileSystem& fileSystem_;
  std::string path_;
  std::unique_ptr<WritableFile> base_;
};

std::unique_ptr<SequentialFile> FaultyFileSystem::OpenForRead(const std::string& path,
                                                              std::string* error) {
  std::unique_ptr<SequentialFile> file = base_.OpenForRead(path, error);
  if (!file) return nullptr;
  return std::make_unique<FaultyReadFile>(std::move(file), plan_);
}

std::unique_ptr<WritableFile> FaultyFileSystem::CreateNew(const std::string& path,
                                                          std::string* error, bool* exists) {
  if (plan_.failCreate) {
    if (exists != nullptr) *exists = false;
    *error = kInjectedError;
    return nullptr;
  }
  std::unique_ptr<WritableFile> file = base_.CreateNew(path, error, exists);
  if (!file) return nullptr;
  return std::make_unique<FaultyWritableFile>(*this, path, std::move(file));
}

bool FaultyFileSystem::Rename(const std::string& from, const std::string& to, std::string* error) {
  if (plan_.failRename) {
    *error = kInjectedError;
    return false;
  }
  if (openForWrite_.count(from) != 0) {
    *error = "renamed while open";
    return false;
  }
  return base_.Rename(from, to, error);
}

void FaultyFileSystem::Remove(const std::string& path) {
  if (openForWrite_.count(path) == 0) base_.Remove(path);
}

}  // namespace wus::test
