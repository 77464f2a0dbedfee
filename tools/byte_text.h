// Names in a WUS file are bytes, not text. wustool shows them as Unicode by
// reading each byte as Windows code page 1251, whose one unassigned byte 0x98
// stands for U+0098. Every byte string thus has exactly one Unicode form and
// comes back unchanged, while Cyrillic names read naturally.
#pragma once

#include <string>
#include <string_view>

namespace wus::tool {

// Appends the UTF-8 form of `bytes` to `*utf8`.
void AppendBytesAsUtf8(std::string_view bytes, std::string* utf8);

// Returns the code point that `byte` stands for.
char32_t CodePointOfByte(unsigned char byte);

// Returns true iff `codePoint` stands for a byte, and stores that byte.
bool ByteOfCodePoint(char32_t codePoint, unsigned char* byte);

// Converts UTF-8 text back to bytes. Returns false (with `*error` saying why)
// iff the text is not valid UTF-8 or holds a character that stands for no
// byte; `*bytes` then holds only part of the result.
bool Utf8ToBytes(std::string_view utf8, std::string* bytes, std::string* error);

}  // namespace wus::tool
