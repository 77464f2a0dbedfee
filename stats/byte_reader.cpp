// Buffered little-endian reads with zeros past the end.
#include "stats/byte_reader.h"

#include <algorithm>
#include <cstring>

namespace wus {

ByteReader::ByteReader(SequentialFile* file, std::size_t bufferSize)
    : file_(file),
      maxBufferSize_(bufferSize < 16 ? 16 : bufferSize),
      bufferSize_(maxBufferSize_ < kFirstBufferSize ? maxBufferSize_ : kFirstBufferSize),
      buffer_(std::make_unique_for_overwrite<char[]>(bufferSize_)) {}

bool ByteReader::Fill() {
  if (pos_ < end_) return true;
  if (eof_) return false;
  consumed_ += end_;
  // A read that filled the buffer promises more: read larger blocks.
  if (end_ == bufferSize_ && bufferSize_ < maxBufferSize_) {
    bufferSize_ = std::min(bufferSize_ * 4, maxBufferSize_);
    buffer_ = std::make_unique_for_overwrite<char[]>(bufferSize_);
  }
  pos_ = end_ = 0;
  std::size_t got = 0;
  std::string error;
  if (!file_->Read(buffer_.get(), bufferSize_, &got, &error)) {
    readError_ = error.empty() ? "read error" : error;
    eof_ = true;
    return false;
  }
  if (got == 0) {
    eof_ = true;
    return false;
  }
  end_ = got;
  return true;
}

void ByteReader::ReadSlow(unsigned char* out, std::size_t n) {
  for (std::size_t i = 0; i < n; ++i) {
    if (Fill()) {
      out[i] = At(pos_++);
    } else {
      out[i] = 0;
      ranPastEnd_ = true;
    }
  }
}

std::string_view ByteReader::ReadTextSlow(std::size_t maxLength) {
  text_.clear();
  while (true) {
    if (!Fill()) {
      ranPastEnd_ = true;
      return text_;
    }
    const char* start = buffer_.get() + pos_;
    std::size_t available = end_ - pos_;
    const void* zero = std::memchr(start, 0, available);
    std::size_t length = zero != nullptr
                             ? static_cast<std::size_t>(static_cast<const char*>(zero) - start)
                             : available;
    if (text_.size() < maxLength) {
      std::size_t room = maxLength - text_.size();
      text_.append(start, length < room ? length : room);
    }
    pos_ += length;
    if (zero != nullptr) {
      ++pos_;
      return text_;
    }
  }
}

}  // namespace wus
