// Code page 1251 decoding and the two escapes of the page.
#include "report/html/text_escape.h"

#include "text/cp1251.h"

namespace wus::html {

void AppendCp1251AsUtf8(std::string* out, std::string_view bytes) {
  for (char byte : bytes) {
    const auto b = static_cast<unsigned char>(byte);
    AppendUtf8(b == 0x98 ? char32_t{0xFFFD} : Cp1251CodePoint(b), out);
  }
}

std::string Cp1251ToUtf8(std::string_view bytes) {
  std::string out;
  AppendCp1251AsUtf8(&out, bytes);
  return out;
}

void AppendHtmlText(std::string* out, std::string_view text) {
  for (char c : text) {
    switch (c) {
      case '&':
        *out += "&amp;";
        break;
      case '<':
        *out += "&lt;";
        break;
      case '>':
        *out += "&gt;";
        break;
      case '"':
        *out += "&quot;";
        break;
      case '\'':
        *out += "&#39;";
        break;
      default:
        out->push_back(c);
    }
  }
}

void EscapeJsonForScript(std::string* json) {
  std::string out;
  out.reserve(json->size() + json->size() / 16);
  const std::string_view text = *json;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    if (c == '<') {
      out += "\\u003c";
    } else if (c == '>') {
      out += "\\u003e";
    } else if (c == '&') {
      out += "\\u0026";
    } else if (c == '\xE2' && i + 2 < text.size() && text[i + 1] == '\x80' &&
               (text[i + 2] == '\xA8' || text[i + 2] == '\xA9')) {
      out += text[i + 2] == '\xA8' ? "\\u2028" : "\\u2029";
      i += 2;
    } else {
      out.push_back(c);
    }
  }
  json->swap(out);
}

}  // namespace wus::html
