// The byte <-> Unicode mapping of code page 1251, with 0x98 as U+0098.
#include "tools/byte_text.h"

#include <algorithm>
#include <array>
#include <cstdint>

#include "text/format.h"

namespace wus::tool {
namespace {

// Code points of the bytes 0x80 to 0xBF; 0xC0 to 0xFF are U+0410 to U+044F
// and 0x00 to 0x7F stand for themselves.
constexpr std::array<char16_t, 64> kHighBytes = {
    0x0402, 0x0403, 0x201A, 0x0453, 0x201E, 0x2026, 0x2020, 0x2021,  //
    0x20AC, 0x2030, 0x0409, 0x2039, 0x040A, 0x040C, 0x040B, 0x040F,  //
    0x0452, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,  //
    0x0098, 0x2122, 0x0459, 0x203A, 0x045A, 0x045C, 0x045B, 0x045F,  //
    0x00A0, 0x040E, 0x045E, 0x0408, 0x00A4, 0x0490, 0x00A6, 0x00A7,  //
    0x0401, 0x00A9, 0x0404, 0x00AB, 0x00AC, 0x00AD, 0x00AE, 0x0407,  //
    0x00B0, 0x00B1, 0x0406, 0x0456, 0x0491, 0x00B5, 0x00B6, 0x00B7,  //
    0x0451, 0x2116, 0x0454, 0x00BB, 0x0458, 0x0405, 0x0455, 0x0457,
};

struct ReverseEntry {
  char16_t codePoint;
  unsigned char byte;
};

// kHighBytes inverted and sorted by code point, for binary search.
const std::array<ReverseEntry, 64>& ReverseTable() {
  static const std::array<ReverseEntry, 64> table = [] {
    std::array<ReverseEntry, 64> entries{};
    for (std::size_t i = 0; i < kHighBytes.size(); ++i) {
      entries[i] = {kHighBytes[i], static_cast<unsigned char>(0x80 + i)};
    }
    std::sort(entries.begin(), entries.end(), [](const ReverseEntry& a, const ReverseEntry& b) {
      return a.codePoint < b.codePoint;
    });
    return entries;
  }();
  return table;
}

void AppendUtf8(char32_t c, std::string* out) {
  if (c < 0x80) {
    out->push_back(static_cast<char>(c));
  } else if (c < 0x800) {
    out->push_back(static_cast<char>(0xC0 | (c >> 6)));
    out->push_back(static_cast<char>(0x80 | (c & 0x3F)));
  } else {
    out->push_back(static_cast<char>(0xE0 | (c >> 12)));
    out->push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
    out->push_back(static_cast<char>(0x80 | (c & 0x3F)));
  }
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

char32_t CodePointOfByte(unsigned char byte) {
  if (byte < 0x80) return byte;
  if (byte >= 0xC0) return 0x0410 + (byte - 0xC0u);
  return kHighBytes[byte - 0x80u];
}

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
