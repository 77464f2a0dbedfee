// Windows code page 1251, the 8-bit character set of the report's titles
// and, normally, of the names in WUS files: the character each byte stands
// for, and UTF-8 output. Used where names are shown as Unicode (wustool's
// JSON, the HTML page); the report itself never converts a byte.
#pragma once

#include <string>

namespace wus {

// Returns the character that `byte` stands for. The one byte the code page
// leaves unassigned, 0x98, gives U+0098 (the C1 control of the same
// number), so every byte has a character of its own.
char32_t Cp1251CodePoint(unsigned char byte);

// Appends the UTF-8 form of the character `c` (at most U+10FFFF).
void AppendUtf8(char32_t c, std::string* out);

}  // namespace wus
