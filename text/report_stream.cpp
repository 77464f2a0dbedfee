// The report stream and its two writers.
#include "text/report_stream.h"

#include <algorithm>
#include <cstdarg>

namespace wus {
namespace {
constexpr std::size_t kSpillSize = 1 << 16;
}  // namespace

// Room for the write that crosses the spill size; small enough for an
// allocator's ordinary size classes (a mapping of its own costs more).
ReportStream::ReportStream(WritableFile* file) : file_(file) {
  buffer_.reserve(kSpillSize + kSpillSize / 8);
}

ReportStream::ReportStream() : file_(nullptr) {}

void ReportStream::Write(std::string_view text) {
  // A long text goes to the file in pieces of the spill size, so that the
  // buffer never holds more than that (a whole table may come in one text).
  while (!failed_ && file_ != nullptr && buffer_.size() + text.size() >= kSpillSize) {
    const std::size_t piece = kSpillSize - std::min(buffer_.size(), kSpillSize);
    buffer_.append(text.substr(0, piece));
    text.remove_prefix(std::min(piece, text.size()));
    Spill();
  }
  if (!failed_) buffer_.append(text);
}

void ReportStream::Printf(const char* format, ...) {
  if (failed_) return;
  std::va_list args;
  va_start(args, format);
  AppendFormatV(&buffer_, format, args);
  va_end(args);
  if (buffer_.size() >= kSpillSize) Spill();
}

void ReportStream::Spill() {
  if (file_ == nullptr) return;
  if (!failed_ && !buffer_.empty() && !file_->Append(buffer_, &error_)) failed_ = true;
  buffer_.clear();
}

bool ReportStream::Flush(std::string* error) {
  Spill();
  if (failed_) *error = error_;
  return !failed_;
}

void DotsToCommas(std::string* text) { std::replace(text->begin(), text->end(), '.', ','); }

void ReportPrintf(ReportStream& stream, const char* format, ...) {
  std::string text;
  std::va_list args;
  va_start(args, format);
  AppendFormatV(&text, format, args);
  va_end(args);
  DotsToCommas(&text);
  stream.Write(text);
}

}  // namespace wus
