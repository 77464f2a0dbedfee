// Buffered little-endian reads with zeros past the end.
#include "stats/byte_reader.h"

#include <algorithm>
#include <cstring>

namespace wus {
namespace {

inline std::uint32_t DecodeU32(const unsigned char* p) {
  return static_cast<std::uint32_t>(p[0]) | (static_cast<std::uint32_t>(p[1]) << 8) |
         (static_cast<std::uint32_t>(p[2]) << 16) | (static_cast<std::uint32_t>(p[3]) << 24);
}

}  // namespace

ByteReader::ByteReader(SequentialFile* file, std::size_t bufferSize)
    : file_(file), maxBufferSize_(std::max<std::size_t>(bufferSize, 16)) {
  bufferSize_ = std::min<std::size_t>(maxBufferSize_, 1 << 14);
  buffer_.reset(new char[bufferSize_]);
}

bool ByteReader::Fill() {
  if (pos_ < end_) return true;
  if (eof_) return false;
  consumed_ += end_;
  if (end_ == bufferSize_ && bufferSize_ < maxBufferSize_) {
    // The last read filled the buffer, so there may be much more to read.
    bufferSize_ = std::min(bufferSize_ * 4, maxBufferSize_);
    buffer_.reset(new char[bufferSize_]);
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

bool ByteReader::AtEnd() { return !Fill(); }

void ByteReader::ReadSlow(unsigned char* out, std::size_t n) {
  for (std::size_t i = 0; i < n; ++i) {
    if (Fill()) {
      out[i] = static_cast<unsigned char>(buffer_[pos_++]);
    } else {
      out[i] = 0;
      ranPastEnd_ = true;
    }
  }
}

std::uint8_t ByteReader::ReadU8() {
  unsigned char b[1];
  ReadSlow(b, 1);
  return b[0];
}

std::uint16_t ByteReader::ReadU16() {
  unsigned char b[2];
  ReadSlow(b, 2);
  return static_cast<std::uint16_t>(b[0] | (b[1] << 8));
}

std::uint32_t ByteReader::ReadU32() {
  if (end_ - pos_ >= 4) {
    std::uint32_t value = DecodeU32(reinterpret_cast<const unsigned char*>(&buffer_[pos_]));
    pos_ += 4;
    return value;
  }
  unsigned char b[4];
  ReadSlow(b, 4);
  return DecodeU32(b);
}

float ByteReader::ReadFloat() {
  std::uint32_t bits = ReadU32();
  float value;
  std::memcpy(&value, &bits, sizeof value);
  return value;
}

std::string_view ByteReader::ReadText() {
  // Fast path: the whole text and its zero byte lie in the buffer.
  if (pos_ < end_) {
    const char* start = &buffer_[pos_];
    const void* zero = std::memchr(start, 0, end_ - pos_);
    if (zero != nullptr) {
      std::size_t length = static_cast<std::size_t>(static_cast<const char*>(zero) - start);
      pos_ += length + 1;
      return std::string_view(start, length < kMaxNameLength ? length : kMaxNameLength);
    }
  }
  text_.clear();
  while (true) {
    if (!Fill()) {
      ranPastEnd_ = true;
      return text_;
    }
    const char* start = &buffer_[pos_];
    std::size_t available = end_ - pos_;
    const void* zero = std::memchr(start, 0, available);
    std::size_t length = zero != nullptr
                             ? static_cast<std::size_t>(static_cast<const char*>(zero) - start)
                             : available;
    if (text_.size() < kMaxNameLength) {
      std::size_t room = kMaxNameLength - text_.size();
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
