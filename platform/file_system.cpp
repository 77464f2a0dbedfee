// The real file system on top of C stdio, with the few platform calls that
// stdio lacks (exclusive creation, directory check, atomic replace on
// Windows, flush to disk).
#include "platform/file_system.h"

#include <sys/stat.h>

#include <cerrno>
#include <cstdio>

#include "platform/platform.h"

#ifdef _WIN32
#include <io.h>
#include <windows.h>
#else
#include <fcntl.h>
#include <unistd.h>
#endif

namespace wus {
namespace {

std::string LastErrorText() { return ErrorText(errno); }

#ifdef _WIN32
// The system's text for a Win32 error code, on one line.
std::string WindowsErrorText(DWORD code) {
  char* text = nullptr;
  FormatMessageA(
      FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
      nullptr, code, 0, reinterpret_cast<char*>(&text), 0, nullptr);
  std::string result = text != nullptr ? text : "error " + std::to_string(code);
  if (text != nullptr) LocalFree(text);
  while (!result.empty() && (result.back() == '\n' || result.back() == '\r')) result.pop_back();
  return result;
}
#endif

class StdioSequentialFile final : public SequentialFile {
 public:
  explicit StdioSequentialFile(std::FILE* file) : file_(file) {}
  ~StdioSequentialFile() override { std::fclose(file_); }

  bool Read(char* buffer, std::size_t n, std::size_t* got, std::string* error) override {
    errno = 0;
    *got = std::fread(buffer, 1, n, file_);
    if (*got == 0 && std::ferror(file_)) {
      *error = errno != 0 ? LastErrorText() : "read error";
      return false;
    }
    return true;
  }

 private:
  std::FILE* file_;
};

class StdioWritableFile final : public WritableFile {
 public:
  explicit StdioWritableFile(std::FILE* file) : file_(file) {}
  ~StdioWritableFile() override {
    if (file_ != nullptr) std::fclose(file_);
  }

  bool Append(std::string_view data, std::string* error) override {
    errno = 0;
    if (std::fwrite(data.data(), 1, data.size(), file_) == data.size()) return true;
    *error = errno != 0 ? LastErrorText() : "write error";
    return false;
  }

  bool Close(std::string* error) override {
    errno = 0;
    bool ok = std::fflush(file_) == 0;
#ifdef _WIN32
    ok = ok && _commit(_fileno(file_)) == 0;
#else
    ok = ok && fsync(fileno(file_)) == 0;
#endif
    if (!ok) *error = errno != 0 ? LastErrorText() : "write error";
    errno = 0;
    if (std::fclose(file_) != 0 && ok) {
      ok = false;
      *error = errno != 0 ? LastErrorText() : "close error";
    }
    file_ = nullptr;
    return ok;
  }

 private:
  std::FILE* file_;
};

bool IsDirectory(std::FILE* file) {
#ifdef _WIN32
  struct _stat64 info;
  return _fstat64(_fileno(file), &info) == 0 && (info.st_mode & _S_IFDIR) != 0;
#else
  struct stat info;
  return fstat(fileno(file), &info) == 0 && S_ISDIR(info.st_mode);
#endif
}

// The error number of an fopen that just failed on `path`. Windows refuses
// to open a folder with EACCES; it is told as EISDIR, as elsewhere.
int OpenFailureCode([[maybe_unused]] const std::string& path) {
  int code = errno;
#ifdef _WIN32
  DWORD attributes = GetFileAttributesA(path.c_str());
  if (code == EACCES && attributes != INVALID_FILE_ATTRIBUTES &&
      (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0)
    code = EISDIR;
#endif
  return code;
}

// Creates `path` exclusively and returns it as a stdio stream; null on
// failure, with `*exists` set when the name was taken.
std::FILE* OpenNew(const std::string& path, std::string* error, bool* exists) {
#ifdef _WIN32
  HANDLE handle = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
  if (handle == INVALID_HANDLE_VALUE) {
    DWORD code = GetLastError();
    if (exists != nullptr) *exists = code == ERROR_FILE_EXISTS || code == ERROR_ALREADY_EXISTS;
    *error = WindowsErrorText(code);
    return nullptr;
  }
  int fd = _open_osfhandle(reinterpret_cast<intptr_t>(handle), 0);
  if (fd == -1) {
    CloseHandle(handle);
    *error = LastErrorText();
    return nullptr;
  }
  std::FILE* file = _fdopen(fd, "wb");
  if (file == nullptr) {
    *error = LastErrorText();
    _close(fd);
  }
  return file;
#else
  int fd = open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666);
  if (fd == -1) {
    if (exists != nullptr) *exists = errno == EEXIST;
    *error = LastErrorText();
    return nullptr;
  }
  std::FILE* file = fdopen(fd, "wb");
  if (file == nullptr) {
    *error = LastErrorText();
    close(fd);
  }
  return file;
#endif
}

class StdioFileSystem final : public FileSystem {
 public:
  std::unique_ptr<SequentialFile> OpenForRead(const std::string& path,
                                              std::string* error) override {
    errno = 0;
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (file == nullptr) {
      *error = ErrorText(OpenFailureCode(path));
      return nullptr;
    }
    if (IsDirectory(file)) {
      std::fclose(file);
      *error = ErrorText(EISDIR);
      return nullptr;
    }
    return std::make_unique<StdioSequentialFile>(file);
  }

  std::unique_ptr<WritableFile> CreateNew(const std::string& path, std::string* error,
                                          bool* exists) override {
    if (exists != nullptr) *exists = false;
    std::FILE* file = OpenNew(path, error, exists);
    if (file == nullptr) return nullptr;
    return std::make_unique<StdioWritableFile>(file);
  }

  bool Rename(const std::string& from, const std::string& to, std::string* error) override {
#ifdef _WIN32
    if (MoveFileExA(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
      return true;
    *error = WindowsErrorText(GetLastError());
    return false;
#else
    errno = 0;
    if (std::rename(from.c_str(), to.c_str()) == 0) return true;
    *error = LastErrorText();
    return false;
#endif
  }

  void Remove(const std::string& path) override { std::remove(path.c_str()); }
};

}  // namespace

FileSystem& FileSystem::Default() {
  static StdioFileSystem fileSystem;
  return fileSystem;
}

}  // namespace wus
