// The file operations the tool performs, behind one interface so that tests
// can inject failures at any read, write, close or rename. Default() is the
// real file system (C stdio underneath, which works alike on POSIX and
// Windows); every operation reports failure with the system's error text.
// Outputs are only ever created new: nothing here opens an existing file
// for writing, so no write can land in a file this run did not create.
#pragma once

#include <cstddef>
#include <memory>
#include <string>
#include <string_view>

namespace wus {

// An input read front to back. It need not be sizeable or seekable: a pipe
// works like a regular file.
class SequentialFile {
 public:
  virtual ~SequentialFile() = default;
  // Reads up to `n` bytes into `buffer` and stores how many in `*got`.
  // Returns false iff the read failed (then `*got` is 0 and `*error` says
  // why); `*got` == 0 with a true result means the end of the input.
  virtual bool Read(char* buffer, std::size_t n, std::size_t* got, std::string* error) = 0;
};

// An output file being written.
class WritableFile {
 public:
  virtual ~WritableFile() = default;
  // Returns true iff all of `data` was written.
  virtual bool Append(std::string_view data, std::string* error) = 0;
  // Flushes and closes; returns true iff everything reached the file.
  virtual bool Close(std::string* error) = 0;
};

class FileSystem {
 public:
  virtual ~FileSystem() = default;

  // Opens `path` for reading as bytes; null (with `*error`) if it cannot be
  // opened or is a directory.
  virtual std::unique_ptr<SequentialFile> OpenForRead(const std::string& path,
                                                      std::string* error) = 0;
  // Creates `path` for writing as bytes, only if nothing at all stands at
  // that name, not even a symbolic link (POSIX: O_CREAT | O_EXCL |
  // O_NOFOLLOW | O_CLOEXEC with mode 0666 less the umask; Windows:
  // CREATE_NEW). Returns null on failure with `*error`, and sets `*exists`
  // (unless null) to whether the failure was that the name is taken.
  virtual std::unique_ptr<WritableFile> CreateNew(const std::string& path, std::string* error,
                                                  bool* exists) = 0;
  // Moves `from` onto `to`, replacing an existing `to` in one step.
  virtual bool Rename(const std::string& from, const std::string& to, std::string* error) = 0;
  // Deletes `path`; failures are ignored. Callers remove only files they
  // created themselves.
  virtual void Remove(const std::string& path) = 0;

  // The real file system; lives for the whole program.
  static FileSystem& Default();
};

}  // namespace wus
