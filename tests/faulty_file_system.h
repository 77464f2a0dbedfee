// A FileSystem wrapper that injects failures into the operations of another
// one, for the tests of what the tool does when a disk fills up, a network
// share goes away or an input is a pipe: reads in short pieces, a read
// error at a given byte of every input, and a failing create, n-th append,
// close or rename of an output. It also behaves like Windows where POSIX is
// lenient: a file that is open for writing cannot be removed or renamed, so
// code that cleans up before it closes leaves files behind here too.
#pragma once

#include <cstdint>
#include <limits>
#include <map>
#include <memory>
#include <string>

#include "platform/file_system.h"

namespace wus::test {

// The error text of every injected failure.
inline constexpr char kInjectedError[] = "injected failure";

struct FaultPlan {
  static constexpr std::uint64_t kNever = std::numeric_limits<std::uint64_t>::max();

  // The most bytes one Read of an input delivers.
  std::size_t readChunk = std::numeric_limits<std::size_t>::max();
  // Every input fails with a read error once this many bytes were read.
  std::uint64_t failReadAt = kNever;
  bool failCreate = false;
  // The n-th Append of all outputs (counting from 1) fails after writing
  // half its bytes; 0 for none.
  int failAppend = 0;
  // That Append throws std::bad_alloc instead, as when memory runs out.
  bool throwInsteadOfFail = false;
  bool failClose = false;  // after closing the file underneath
  bool failRename = false;
};

class FaultyFileSystem final : public FileSystem {
 public:
  // `base` must outlive this object and every file it opens.
  FaultyFileSystem(FileSystem& base, FaultPlan plan) : base_(base), plan_(plan) {}

  // The number of Append calls so far, failed ones included.
  int appends() const { return appends_; }

  std::unique_ptr<SequentialFile> OpenForRead(const std::string& path, std::string* error) override;
  std::unique_ptr<WritableFile> CreateNew(const std::string& path, std::string* error,
                                          bool* exists) override;
  bool Rename(const std::string& from, const std::string& to, std::string* error) override;
  void Remove(const std::string& path) override;

 private:
  friend class FaultyWritableFile;

  FileSystem& base_;
  FaultPlan plan_;
  int appends_ = 0;
  std::map<std::string, int> openForWrite_;  // path -> open handles
};

}  // namespace wus::test
