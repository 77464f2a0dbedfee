// Names on their way into the page. Names in the data are bytes, normally
// Windows code page 1251; the page is UTF-8, so each name is decoded once
// and then escaped for the context it lands in: HTML text (element content
// or a quoted attribute), or JSON inside a <script> element.
#pragma once

#include <string>
#include <string_view>

namespace wus::html {

// Appends `bytes` decoded from code page 1251 as UTF-8. Every byte maps to
// one character; 0x98, the one byte the code page leaves unassigned, maps
// to U+FFFD.
void AppendCp1251AsUtf8(std::string* out, std::string_view bytes);
std::string Cp1251ToUtf8(std::string_view bytes);

// Appends UTF-8 `text` escaped for HTML element content and quoted
// attribute values: & < > " ' become character references.
void AppendHtmlText(std::string* out, std::string_view text);

// Makes serialized JSON safe inside a <script> element: every "<", ">" and
// "&" and the characters U+2028 and U+2029 become \u escapes. JSON holds
// these characters only inside strings, where the escapes mean the same, so
// the text parses to the same value and can close no element.
void EscapeJsonForScript(std::string* json);

}  // namespace wus::html
