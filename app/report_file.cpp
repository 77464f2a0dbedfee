// Writing the report file atomically.
#include "app/report_file.h"

#include "app/driver.h"
#include "text/report_stream.h"

#ifdef _WIN32
#include <process.h>
#define WUS_GETPID _getpid
#else
#include <unistd.h>
#define WUS_GETPID getpid
#endif

namespace wus {
namespace {

// Removes the temporary file unless the report was committed, also when an
// error (memory exhausted) passes through.
class TemporaryFileGuard {
 public:
  TemporaryFileGuard(FileSystem& fileSystem, std::string path)
      : fileSystem_(fileSystem), path_(std::move(path)) {}
  ~TemporaryFileGuard() {
    if (!committed_) fileSystem_.Remove(path_);
  }
  TemporaryFileGuard(const TemporaryFileGuard&) = delete;
  TemporaryFileGuard& operator=(const TemporaryFileGuard&) = delete;
  void Commit() { committed_ = true; }

 private:
  FileSystem& fileSystem_;
  std::string path_;
  bool committed_ = false;
};

}  // namespace

std::string TemporaryReportName(const std::string& name) {
#ifdef _WIN32
  std::size_t slash = name.find_last_of("\\/");
#else
  std::size_t slash = name.rfind('/');
#endif
  std::string folder = slash == std::string::npos ? std::string() : name.substr(0, slash + 1);
  return folder + ".wusreport-" + std::to_string(WUS_GETPID()) + ".tmp";
}

bool WriteReportFile(const std::string& name, const StatsAggregate& aggregate,
                     FileSystem& fileSystem, std::string* error) {
  std::string temporary = TemporaryReportName(name);
  // The guard comes first, so that on every way out the file is closed
  // before it is removed: Windows cannot remove a file that is open.
  TemporaryFileGuard guard(fileSystem, temporary);
  std::unique_ptr<WritableFile> file = fileSystem.CreateForWrite(temporary, error);
  if (!file) return false;
  {
    ReportStream stream(file.get());
    WriteReport(aggregate, stream);
    if (!stream.Flush(error)) return false;
  }
  bool closed = file->Close(error);
  file.reset();
  if (!closed) return false;
  if (!fileSystem.Rename(temporary, name, error)) return false;
  guard.Commit();
  return true;
}

}  // namespace wus
