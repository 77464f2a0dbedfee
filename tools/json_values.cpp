// JSON forms of the two kinds of value that need care: byte texts and floats.
#include <charconv>
#include <cmath>
#include <cstring>

#include "text/format.h"
#include "tools/byte_text.h"
#include "tools/json_codec.h"

namespace wus::tool {
namespace {

constexpr std::uint32_t kQuietNaN = 0x7FC00000;

std::uint32_t BitsOf(float value) {
  std::uint32_t bits;
  std::memcpy(&bits, &value, sizeof bits);
  return bits;
}

float FloatOfBits(std::uint32_t bits) {
  float value;
  std::memcpy(&value, &bits, sizeof value);
  return value;
}

// Returns true iff the character is written as an escape: controls, and the
// characters that look like a blank or like nothing.
bool NeedsEscape(char32_t c) {
  return c < 0x20 || c == '"' || c == '\\' || (c >= 0x7F && c <= 0xA0) || c == 0xAD;
}

}  // namespace

void AppendJsonText(std::string_view bytes, std::string* out) {
  out->push_back('"');
  AppendJsonTextPiece(bytes, out);
  out->push_back('"');
}

void AppendJsonTextPiece(std::string_view bytes, std::string* out) {
  for (char b : bytes) {
    char32_t c = CodePointOfByte(static_cast<unsigned char>(b));
    if (!NeedsEscape(c)) {
      AppendBytesAsUtf8(std::string_view(&b, 1), out);
    } else if (c == '"' || c == '\\') {
      out->push_back('\\');
      out->push_back(static_cast<char>(c));
    } else if (c == '\n') {
      out->append("\\n");
    } else if (c == '\t') {
      out->append("\\t");
    } else {
      AppendFormat(out, "\\u%04X", static_cast<unsigned>(c));
    }
  }
}

void AppendJsonFloat(float value, std::string* out) {
  if (std::isnan(value)) {
    std::uint32_t bits = BitsOf(value);
    if (bits == kQuietNaN) {
      out->append("\"NaN\"");
    } else {
      AppendFormat(out, "\"0x%08X\"", static_cast<unsigned>(bits));
    }
    return;
  }
  if (std::isinf(value)) {
    out->append(value > 0 ? "\"Infinity\"" : "\"-Infinity\"");
    return;
  }
  if (value == 0 && std::signbit(value)) {
    out->append("-0.0");  // "-0" would read back as the integer 0
    return;
  }
  char buffer[32];
  auto result = std::to_chars(buffer, buffer + sizeof buffer, value);  // shortest round trip
  out->append(buffer, result.ptr);
}

bool FloatFromJsonString(std::string_view text, float* value) {
  if (text == "Infinity" || text == "-Infinity") {
    *value = text[0] == '-' ? -HUGE_VALF : HUGE_VALF;
    return true;
  }
  if (text == "NaN") {
    *value = FloatOfBits(kQuietNaN);
    return true;
  }
  if (text.size() != 10 || text[0] != '0' || (text[1] != 'x' && text[1] != 'X')) return false;
  std::uint32_t bits = 0;
  auto result = std::from_chars(text.data() + 2, text.data() + text.size(), bits, 16);
  if (result.ec != std::errc() || result.ptr != text.data() + text.size()) return false;
  *value = FloatOfBits(bits);
  return true;
}

}  // namespace wus::tool
