// Little-endian reads from a SequentialFile, through a large buffer. A read
// never fails: every byte past the end of the input reads as zero, and the
// reader remembers that it happened. A read error is taken as the end of the
// input at that point. Decoding goes byte by byte, so it depends neither on
// the host's byte order nor on alignment. The reads are inline for the
// common case of a value that lies wholly in the buffer; values that cross a
// refill, or the end of the input, take the slow path.
#pragma once

#include <bit>
#include <cstdint>
#include <cstring>
#include <memory>
#include <string>
#include <string_view>

#if defined(__SSE2__) || defined(_M_X64)
#include <emmintrin.h>
#endif

#include "platform/file_system.h"

namespace wus {

// The longest text the model stores; longer texts are cut to this length.
inline constexpr std::size_t kMaxNameLength = 1023;
// A text length limit that keeps every text whole.
inline constexpr std::size_t kWholeText = static_cast<std::size_t>(-1);

// Little-endian values from bytes, whatever the host's byte order.
inline std::uint16_t DecodeU16(const unsigned char* p) {
  return static_cast<std::uint16_t>(p[0] | (p[1] << 8));
}
inline std::uint32_t DecodeU32(const unsigned char* p) {
  return static_cast<std::uint32_t>(p[0]) | (static_cast<std::uint32_t>(p[1]) << 8) |
         (static_cast<std::uint32_t>(p[2]) << 16) | (static_cast<std::uint32_t>(p[3]) << 24);
}
inline float DecodeFloat(const unsigned char* p) {
  std::uint32_t bits = DecodeU32(p);
  float value;
  std::memcpy(&value, &bits, sizeof value);
  return value;
}

// Returns the first zero byte of [p, end), or nullptr if there is none,
// testing the first 16 bytes a word at a time: FindZero on hosts without
// SSE2 (and in tests everywhere).
inline const char* FindZeroByWords(const char* p, const char* end) {
  constexpr std::uint64_t kLow7 = 0x7f7f7f7f7f7f7f7fULL;
  for (int words = 0; words < 2 && end - p >= 8; ++words, p += 8) {
    std::uint64_t word;
    std::memcpy(&word, p, 8);
    // The high bit of every zero byte, and only of those.
    const std::uint64_t zeros = ~(((word & kLow7) + kLow7) | word | kLow7);
    if (zeros != 0) {
      const int bit = std::endian::native == std::endian::little ? std::countr_zero(zeros)
                                                                 : std::countl_zero(zeros);
      return p + bit / 8;
    }
  }
  return static_cast<const char*>(std::memchr(p, 0, static_cast<std::size_t>(end - p)));
}

// Returns the first zero byte of [p, end), or nullptr if there is none.
// A short text, the common case, takes one vector test instead of a call.
inline const char* FindZero(const char* p, const char* end) {
#if defined(__SSE2__) || defined(_M_X64)
  if (end - p >= 16) {
    const __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
    const auto zeros =
        static_cast<unsigned>(_mm_movemask_epi8(_mm_cmpeq_epi8(bytes, _mm_setzero_si128())));
    if (zeros != 0) return p + std::countr_zero(zeros);
    p += 16;
  }
  return static_cast<const char*>(std::memchr(p, 0, static_cast<std::size_t>(end - p)));
#else
  return FindZeroByWords(p, end);
#endif
}

class ByteReader {
 public:
  // `file` must outlive the reader.
  explicit ByteReader(SequentialFile* file, std::size_t bufferSize = 1 << 18);
  ByteReader(const ByteReader&) = delete;
  ByteReader& operator=(const ByteReader&) = delete;

  std::uint8_t ReadU8() {
    if (pos_ < end_) return At(pos_++);
    unsigned char b[1];
    ReadSlow(b, 1);
    return b[0];
  }
  std::uint32_t ReadU32() {
    unsigned char b[4];
    ReadBytes(b, 4);
    return DecodeU32(b);
  }

  // Reads the next `n` bytes into `out`, zeros past the end. One copy when
  // they lie in the buffer: the way to read a fixed run of fields at once
  // and decode them from `out`.
  void ReadBytes(unsigned char* out, std::size_t n) {
    if (end_ - pos_ >= n) {
      std::memcpy(out, buffer_.get() + pos_, n);
      pos_ += n;
    } else {
      ReadSlow(out, n);
    }
  }

  // Reads a zero-terminated text and returns its first `maxLength` bytes;
  // the rest, up to and including the zero byte, is consumed. A text cut by
  // the end of the input ends there. The view is valid until the next read.
  std::string_view ReadText(std::size_t maxLength = kMaxNameLength) {
    // The whole text and its zero byte lie in the buffer.
    if (pos_ < end_) {
      const char* start = buffer_.get() + pos_;
      if (const char* zero = FindZero(start, buffer_.get() + end_)) {
        std::size_t length = static_cast<std::size_t>(zero - start);
        pos_ += length + 1;
        return std::string_view(start, length < maxLength ? length : maxLength);
      }
    }
    return ReadTextSlow(maxLength);
  }

  // Consumes a zero-terminated text, up to and including its zero byte (or
  // to the end of the input).
  void SkipText() {
    if (pos_ < end_) {
      const char* start = buffer_.get() + pos_;
      if (const char* zero = FindZero(start, buffer_.get() + end_)) {
        pos_ += static_cast<std::size_t>(zero - start) + 1;
        return;
      }
    }
    ReadTextSlow(0);
  }

  // The bytes the buffer holds from the read position on (none when it is
  // used up; this never refills), valid until the next read. With Consume,
  // the way to decode a run of records in place.
  std::string_view Buffered() const { return std::string_view(buffer_.get() + pos_, end_ - pos_); }
  // Moves the read position `n` bytes on; `n` at most Buffered().size().
  void Consume(std::size_t n) { pos_ += n; }

  // Replaces `*out` with the next bytes of the input, at least one and at
  // most `max` (none at the end): the bytes the buffer holds, refilled
  // when empty. For copying the rest of an input a block at a time.
  void ReadAvailable(std::size_t max, std::string* out) {
    out->clear();
    if (!Fill()) return;
    std::size_t n = end_ - pos_ < max ? end_ - pos_ : max;
    out->assign(buffer_.get() + pos_, n);
    pos_ += n;
  }

  // Returns true iff no byte is left to read.
  bool AtEnd() { return pos_ >= end_ && !Fill(); }
  // Returns true iff some read wanted bytes past the end of the input.
  bool ranPastEnd() const { return ranPastEnd_; }
  // Returns true iff the input failed with a read error (taken as its end).
  bool readFailed() const { return !readError_.empty(); }
  const std::string& readError() const { return readError_; }
  // The number of bytes consumed so far.
  std::uint64_t offset() const { return consumed_ + pos_; }

 private:
  // Refills the buffer; returns false iff nothing is left.
  bool Fill();
  // ReadBytes across a refill or the end of the input.
  void ReadSlow(unsigned char* out, std::size_t n);
  std::string_view ReadTextSlow(std::size_t maxLength);
  unsigned char At(std::size_t i) const { return static_cast<unsigned char>(buffer_[i]); }

  SequentialFile* file_;
  // The buffer starts at kFirstBufferSize and grows up to maxBufferSize_
  // while reads keep filling it: a small file costs little memory, a large
  // one is read in large blocks.
  static constexpr std::size_t kFirstBufferSize = 1 << 14;
  std::size_t maxBufferSize_;
  std::size_t bufferSize_;
  std::unique_ptr<char[]> buffer_;  // bufferSize_ bytes, never zeroed
  std::size_t pos_ = 0;
  std::size_t end_ = 0;
  std::uint64_t consumed_ = 0;  // bytes of the input before buffer_[0]
  bool eof_ = false;
  bool ranPastEnd_ = false;
  std::string readError_;
  std::string text_;  // holds a text that spans two fills
};

}  // namespace wus
