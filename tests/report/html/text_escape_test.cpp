// Names on their way into the page: code page 1251 decoding, HTML text
// escaping, JSON made safe inside a <script> element, and the base64 of
// the Content-Security-Policy hashes.
#include "report/html/text_escape.h"

#include <gtest/gtest.h>

#include <nlohmann/json.hpp>
#include <set>
#include <string>

#include "report/html/html_page.h"

namespace wus::html {
namespace {

TEST(Cp1251Test, DecodesEachByteToOneCharacter) {
  const struct {
    std::string bytes;
    std::string utf8;
  } cases[] = {
      {"Bob.%s", "Bob.%s"},
      {"\xC8\xE2\xE0\xED", "Иван"},
      {"\xC0\xDF\xE0\xFF", "АЯая"},
      {"\xA8\xB8", "Ёё"},
      {"\x80\x81\x8A\x8F\x90\x9F", "ЂЃЉЏђџ"},
      {"\x88\xB9\x96\x97\x85", "€№–—…"},
      {"\xA0\xAD\xB0\xB5", "\u00a0\u00ad°µ"},
      {"\xA5\xB4\xAA\xBA\xAF\xBF\xB2\xB3", "ҐґЄєЇїІі"},
      {"a\x98z", "a\uFFFDz"},  // the one unassigned byte
      {std::string("\0x", 2), std::string("\0x", 2)},
  };
  for (const auto& c : cases) EXPECT_EQ(Cp1251ToUtf8(c.bytes), c.utf8) << c.utf8;
}

TEST(Cp1251Test, EveryByteGivesValidUtf8AndOnlyUnassignedByteRepeats) {
  std::set<std::string> seen;
  for (int b = 0; b < 256; ++b) {
    const std::string utf8 = Cp1251ToUtf8(std::string(1, static_cast<char>(b)));
    // nlohmann rejects invalid UTF-8 when it serializes strictly.
    EXPECT_NO_THROW((void)nlohmann::json(utf8).dump()) << b;
    EXPECT_TRUE(seen.insert(utf8).second) << "byte " << b << " decodes like an earlier one";
  }
}

TEST(HtmlTextTest, EscapesMarkupCharacters) {
  const struct {
    std::string text;
    std::string html;
  } cases[] = {
      {"<img src=x onerror=alert(1)>", "&lt;img src=x onerror=alert(1)&gt;"},
      {"</script><script>alert(1)</script>",
       "&lt;/script&gt;&lt;script&gt;alert(1)&lt;/script&gt;"},
      {"a & \"b\" 'c'", "a &amp; &quot;b&quot; &#39;c&#39;"},
      {"&amp;", "&amp;amp;"},
      {"Иван", "Иван"},
  };
  for (const auto& c : cases) {
    std::string out = "x";
    AppendHtmlText(&out, c.text);
    EXPECT_EQ(out, "x" + c.html);
  }
}

TEST(ScriptJsonTest, EscapedJsonParsesToTheSameValueAndCannotCloseTheElement) {
  const nlohmann::json value = {
      {"names",
       {"</script><script>alert(1)</script>", "<!-- x", "a&b>c", "line\u2028para\u2029end",
        "<img src=x onerror=alert(1)>", "Иван \uFFFD", "\"quoted\\\""}},
      {"n", 1},
  };
  std::string json = value.dump(-1, ' ', false);
  EscapeJsonForScript(&json);
  EXPECT_EQ(json.find_first_of("<>&"), std::string::npos) << json;
  EXPECT_EQ(json.find("\xE2\x80\xA8"), std::string::npos);
  EXPECT_EQ(json.find("\xE2\x80\xA9"), std::string::npos);
  EXPECT_NE(json.find("\\u003c/script\\u003e"), std::string::npos);
  EXPECT_NE(json.find("\\u2028"), std::string::npos);
  EXPECT_EQ(nlohmann::json::parse(json), value);
}

TEST(HexToBase64Test, EncodesTheBytes) {
  const struct {
    const char* hex;
    const char* base64;
  } cases[] = {{"", ""},
               {"66", "Zg=="},
               {"666f", "Zm8="},
               {"666f6f", "Zm9v"},
               {"666F6F626172", "Zm9vYmFy"},
               {"fbff", "+/8="}};
  for (const auto& c : cases) EXPECT_EQ(HexToBase64(c.hex), c.base64) << c.hex;
}

}  // namespace
}  // namespace wus::html
