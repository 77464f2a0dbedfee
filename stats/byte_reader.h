// Little-endian reads from a SequentialFile, through a large buffer. A read
// never fails: every byte past the end of the input reads as zero, and the
// reader remembers that it happened. A read error is taken as the end of the
// input at that point. Decoding goes byte by byte, so it depends neither on
// the host's byte order nor on alignment.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "platform/file_system.h"

namespace wus {

// The longest text the model stores; longer texts are cut to this length.
inline constexpr std::size_t kMaxNameLength = 1023;

class ByteReader {
 public:
  // `file` must outlive the reader. Reads go through a buffer that starts
  // at 16 KiB and grows, while reads keep filling it, up to `bufferSize`
  // bytes: a small file costs little memory, a large one is read in large
  // blocks.
  explicit ByteReader(SequentialFile* file, std::size_t bufferSize = 1 << 18);
  ByteReader(const ByteReader&) = delete;
  ByteReader& operator=(const ByteReader&) = delete;

  std::uint8_t ReadU8();
  std::uint16_t ReadU16();
  std::uint32_t ReadU32();
  float ReadFloat();

  // Reads a zero-terminated text and returns its first kMaxNameLength bytes;
  // the rest, up to and including the zero byte, is consumed. A text cut by
  // the end of the input ends there. The view is valid until the next read.
  std::string_view ReadText();

  // Returns true iff no byte is left to read.
  bool AtEnd();
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
  // Reads `n` (at most 8) bytes into `out`, zeros past the end.
  void ReadSlow(unsigned char* out, std::size_t n);

  SequentialFile* file_;
  // Not cleared on allocation: only bytes that were read are ever looked at,
  // and a small file touches a few of its pages.
  std::unique_ptr<char[]> buffer_;
  std::size_t bufferSize_;
  std::size_t maxBufferSize_;
  std::size_t pos_ = 0;
  std::size_t end_ = 0;
  std::uint64_t consumed_ = 0;  // bytes of the input before buffer_[0]
  bool eof_ = false;
  bool ranPastEnd_ = false;
  std::string readError_;
  std::string text_;  // holds a text that spans two fills
};

}  // namespace wus
