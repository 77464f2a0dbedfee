// The byte <-> Unicode mapping of code page 1251, with 0x98 as U+0098.
#include "tools/byte_text.h"

#include <algorithm>
#include <array>
#include <cstdint>

#include "text/cp1251.h"
#include "text/format.h"

namespace wus::tool {
namespace {

struct ReverseEntry {
  char16_t codePoint;
  unsigned char byte;
};

// The characters of the bytes 0x80 to 0xBF, sorted by code point, for
// binary search.
const std::array<ReverseEntry, 64>& ReverseTable() {
  static const std::array<ReverseEntry, 64> table = [] {
    std::array<ReverseEntry, 64> entries{};
    for (std::size_t i = 0; i < entries.size(); ++i) {
      const auto byte = static_cast<unsigned char>(0x80 + i);
      entries[i] = {static_cast<char16_t>(Cp1251CodePoint(byte)), byte};
    }
    std::sort(entries.begin(), entries.end(), [](const ReverseEntry& a, const ReverseEntry& b) {
      return a.codePoint < b.codePoint;
    });
    return entries;
  }();
  return table;
}

// Decodes the UTF-8 sequence at `text[*pos]`, advancing `*pos`. Returns
// false iff the bytes there are no valid, shortest-form sequence.
bool DecodeUtf8(std::string_view text, std::size_t* pos, char32_t* c) {
  auto lead = static_cast<unsigned char>(text[*pos]);
  std::size_t length;
  char32_t value;
  char32_t minimum;
  if (lead < 0x80) {
    *c = lead;
    ++*pos;
    return true;
  } else if ((lead & 0xE0) == 0xC0) {
    length = 2, value = lead & 0x1Fu, minimum = 0x80;
  } else if ((lead & 0xF0) == 0xE0) {
    length = 3, value = lead & 0x0Fu, minimum = 0x800;
  } else if ((lead & 0xF8) == 0xF0) {
    length = 4, value = lead & 0x07u, minimum = 0x10000;
  } else {
    return false;
  }
  if (text.size() - *pos < length) return false;
  for (std::size_t i = 1; i < length; ++i) {
    auto next = static_cast<unsigned char>(text[*pos + i]);
    if ((next & 0xC0) != 0x80) return false;
    value = (value << 6) | (next & 0x3Fu);
  }
  if (value < minimum || value > 0x10FFFF || (value >= 0xD800 && value <= 0xDFFF)) return false;
  *c = value;
  *pos += length;
  return true;
}

}  // namespace

char32_t CodePointOfByte(unsigned char byte) { return Cp1251CodePoint(byte); }

bool ByteOfCodePoint(char32_t codePoint, unsigned char* byte) {
  if (codePoint < 0x80) {
    *byte = static_cast<unsigned char>(codePoint);
    return true;
  }
  if (codePoint >= 0x0410 && codePoint <= 0x044F) {
    *byte = static_cast<unsigned char>(0xC0 + (codePoint - 0x0410));
    return true;
  }
  const auto& table = ReverseTable();
  auto it = std::lower_bound(
      table.begin(), table.end(), codePoint,
      [](const ReverseEntry& entry, char32_t key) { return entry.codePoint < key; });
  if (it == table.end() || it->codePoint != codePoint) return false;
  *byte = it->byte;
  return true;
}

void AppendBytesAsUtf8(std::string_view bytes, std::string* utf8) {
  for (char b : bytes) AppendUtf8(CodePointOfByte(static_cast<unsigned char>(b)), utf8);
}

bool Utf8ToBytes(std::string_view utf8, std::string* bytes, std::string* error) {
  bytes->clear();
  std::size_t pos = 0;
  while (pos < utf8.size()) {
    char32_t c;
    if (!DecodeUtf8(utf8, &pos, &c)) {
      *error = StringPrintf("invalid UTF-8 at byte %zu", pos);
      return false;
    }
    unsigned char byte;
    if (!ByteOfCodePoint(c, &byte)) {
      *error =
          StringPrintf("U+%04X is not a character of code page 1251", static_cast<unsigned>(c));
      return false;
    }
    bytes->push_back(static_cast<char>(byte));
  }
  return true;
}

}  // namespace wus::tool
