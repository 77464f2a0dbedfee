// The byte reader: little-endian decoding across buffer refills, zeros past
// the end, texts cut to 1023 bytes, inputs that arrive a byte at a time and
// inputs that fail part-way.
#include "stats/byte_reader.h"

#include <gtest/gtest.h>

#include "tests/faulty_file_system.h"
#include "tests/memory_file_system.h"

namespace wus::test {
namespace {

// `data` handed out in pieces of at most `chunk` bytes, with a read error
// once `failAt` bytes were read.
struct ChunkedFile {
  ChunkedFile(std::string data, std::size_t chunk, std::uint64_t failAt = FaultPlan::kNever)
      : faulty(memory, {chunk, failAt}) {
    memory.SetFile("in", std::move(data));
    std::string error;
    file = faulty.OpenForRead("in", &error);
  }
  SequentialFile* get() { return file.get(); }

  MemoryFileSystem memory;
  FaultyFileSystem faulty;
  std::unique_ptr<SequentialFile> file;
};

TEST(ByteReaderTest, DecodesLittleEndianWhateverTheChunking) {
  const std::string data("\x78\x56\x34\x12name\0\xff", 10);
  for (std::size_t chunk : {1u, 2u, 3u, 5u, 64u}) {
    for (std::size_t bufferSize : {16u, 4096u}) {
      SCOPED_TRACE(chunk * 100000 + bufferSize);
      ChunkedFile file(data, chunk);
      ByteReader in(file.get(), bufferSize);
      EXPECT_EQ(in.ReadU32(), 0x12345678u);
      EXPECT_EQ(in.ReadText(), "name");
      EXPECT_FALSE(in.AtEnd());
      EXPECT_EQ(in.ReadU8(), 0xffu);
      EXPECT_TRUE(in.AtEnd());
      EXPECT_FALSE(in.ranPastEnd());
      EXPECT_EQ(in.offset(), data.size());
    }
  }
}

// The end of the input and a read error alike: a number cut through keeps
// the bytes that arrived, and everything after reads as zeros.
TEST(ByteReaderTest, TheEndAndAReadErrorReadAsZeros) {
  for (bool fail : {false, true}) {
    SCOPED_TRACE(fail);
    ChunkedFile file(std::string("\x01\x02\x03\x04\x05", fail ? 5 : 3), 2,
                     fail ? 3 : FaultPlan::kNever);
    ByteReader in(file.get(), 16);
    EXPECT_EQ(in.ReadU8(), 0x01u);
    EXPECT_FALSE(in.ranPastEnd());
    EXPECT_EQ(in.ReadU32(), 0x0302u);
    EXPECT_TRUE(in.ranPastEnd());
    EXPECT_EQ(in.ReadU32(), 0u);
    EXPECT_EQ(in.ReadText(), "");
    EXPECT_TRUE(in.AtEnd());
    EXPECT_EQ(in.readError(), fail ? kInjectedError : "");
  }
}

// A block read larger than the buffer, starting part-way into it, comes
// out whole across refills, and the part past the end reads as zeros.
TEST(ByteReaderTest, BlocksCrossRefillsAndTheEnd) {
  std::string data;
  for (int i = 0; i < 40; ++i) data.push_back(static_cast<char>(i + 1));
  for (std::size_t chunk : {1u, 7u, 64u}) {
    SCOPED_TRACE(chunk);
    ChunkedFile file(data, chunk);
    ByteReader in(file.get(), 16);
    EXPECT_EQ(in.ReadU8(), 1u);
    unsigned char block[30];
    in.ReadBytes(block, sizeof block);
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(block), sizeof block), data.substr(1, 30));
    EXPECT_FALSE(in.ranPastEnd());
    unsigned char tail[12];
    in.ReadBytes(tail, sizeof tail);
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(tail), 9), data.substr(31));
    EXPECT_EQ(tail[9] | tail[10] | tail[11], 0);
    EXPECT_TRUE(in.ranPastEnd());
    EXPECT_EQ(in.offset(), data.size());
  }
}

TEST(ByteReaderTest, TextsAreCutTo1023BytesAndTheRestConsumed) {
  for (std::size_t length : {0u, 1u, 1022u, 1023u, 1024u, 5000u, 300000u}) {
    for (std::size_t chunk : {7u, 1u << 20}) {
      SCOPED_TRACE(length);
      std::string text(length, 'a');
      for (std::size_t i = 0; i < length; ++i) text[i] = static_cast<char>(1 + i % 255);
      ChunkedFile file(text + '\0' + "next" + '\0', chunk);
      ByteReader in(file.get(), 4096);
      EXPECT_EQ(in.ReadText(), text.substr(0, 1023));
      EXPECT_EQ(in.ReadText(), "next");
      EXPECT_FALSE(in.ranPastEnd());
    }
  }
}

// Both searches find the first zero byte wherever it lies in a vector or
// word, never a byte that only looks like one (0x80, 0xff, 0x01 next to a
// zero), and nothing at or past the end they are given.
TEST(ByteReaderTest, FindZeroFindsTheFirstZeroBeforeTheEnd) {
  for (auto find : {FindZero, FindZeroByWords}) {
    for (char filler : {'\x01', '\x7f', '\x80', '\xff'}) {
      for (std::size_t size = 0; size <= 40; ++size) {
        for (std::size_t zero = 0; zero <= size; ++zero) {
          SCOPED_TRACE(testing::Message() << int(filler) << " size " << size << " zero " << zero);
          std::string bytes(size + 8, filler);
          bytes[size] = '\0';  // just past the end: must not be found
          if (zero < size) bytes[zero] = bytes[zero + 1 < size ? zero + 1 : zero] = '\0';
          const char* found = find(bytes.data(), bytes.data() + size);
          EXPECT_EQ(found, zero < size ? bytes.data() + zero : nullptr);
        }
      }
    }
  }
}

}  // namespace
}  // namespace wus::test
