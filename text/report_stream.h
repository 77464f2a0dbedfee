// The open report: a buffered byte stream over a WritableFile, and the two
// ways the section writers put text into it. The plain write converts
// nothing; ReportPrintf turns every "." of its formatted text into "," so a
// spreadsheet with a decimal comma reads the numbers. The report's line end
// is the single byte "\n".
//
// The first failed write is remembered and every later write is dropped, so
// a section writer never has to check results; the driver asks Finish()
// whether the whole report reached the file.
#pragma once

#include <string>
#include <string_view>

#include "platform/file_system.h"
#include "text/format.h"

namespace wus {

class ReportStream {
 public:
  // `file` must outlive the stream; the stream does not close it.
  explicit ReportStream(WritableFile* file);
  // A stream that keeps all its bytes in memory (text()).
  ReportStream();
  ReportStream(const ReportStream&) = delete;
  ReportStream& operator=(const ReportStream&) = delete;

  // Plain write of bytes.
  void Write(std::string_view text);
  // Plain formatted write: formats once, converts nothing.
  void Printf(const char* format, ...) WUS_PRINTF_FORMAT(2, 3);

  // Writes out everything buffered. Returns true iff every write so far
  // succeeded; otherwise `*error` holds the first failure's text.
  bool Flush(std::string* error);

  // A stream without a file: every byte written so far.
  const std::string& text() const { return buffer_; }

 private:
  void Spill();

  WritableFile* file_;  // null: in memory
  std::string buffer_;
  bool failed_ = false;
  std::string error_;
};

// Formats once, turns every "." of the result into "," and writes it.
void ReportPrintf(ReportStream& stream, const char* format, ...) WUS_PRINTF_FORMAT(2, 3);

// Turns every "." of `text` into ",".
void DotsToCommas(std::string* text);

}  // namespace wus
