// The page as a whole: the template's markers filled, exactly the page's
// own script elements, hostile names present only in escaped form, and the
// embedded files equal to their sources.
#include "report/html/html_page.h"

#include <gtest/gtest.h>

#include <string>

#include "report/html/embedded.h"
#include "tests/hit_aggregate.h"
#include "tests/test_util.h"

namespace wus {
namespace {

std::size_t Count(const std::string& text, const std::string& part) {
  std::size_t count = 0;
  for (std::size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) {
    ++count;
  }
  return count;
}

std::string Lower(std::string text) {
  for (char& c : text) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  return text;
}

TEST(HtmlPageTest, HostileNamesCannotOpenOrCloseAnElement) {
  StatsAggregate aggregate;
  test::AddWeapons(aggregate, {{"<img src=x onerror=alert(1)>",
                                "wpn_</script><script>alert(2)</script>",
                                "</SCRIPT><!--<script>",
                                {test::BoneHit("<svg onload=alert(3)>", true)}}});
  aggregate.AddUsedFile("<b>file</b>.wus");
  HtmlPageInput input;
  input.filesRead = {"<b>file</b>.wus"};
  input.filesSkipped = {"</ol><img src=y>"};
  const std::string page =
      test::WriteOnce([&](ReportStream& out) { WriteHtmlPage(aggregate, input, out); });
  const std::string lower = Lower(page);

  EXPECT_EQ(page.find("{{"), std::string::npos);
  EXPECT_EQ(Count(lower, "<script"), 3u);
  EXPECT_EQ(Count(lower, "</script"), 3u);
  EXPECT_EQ(lower.find("<img"), std::string::npos);
  EXPECT_EQ(lower.find("<svg onload"), std::string::npos);
  EXPECT_EQ(lower.find("<!--"), std::string::npos);
  EXPECT_NE(page.find("<li>&lt;b&gt;file&lt;/b&gt;.wus</li>"), std::string::npos);
  EXPECT_NE(page.find("<li>&lt;/ol&gt;&lt;img src=y&gt;</li>"), std::string::npos);
  EXPECT_NE(page.find("\\u003cimg src=x onerror=alert(1)\\u003e"), std::string::npos);
  EXPECT_EQ(page.rfind("</html>\n"), page.size() - 8);
}

TEST(HtmlPageTest, PolicyAllowsOnlyThePagesOwnScriptsAndStyle) {
  const std::string csp = html::ContentSecurityPolicy();
  EXPECT_EQ(csp.rfind("default-src 'none'; script-src 'sha256-", 0), 0u) << csp;
  EXPECT_EQ(Count(csp, "'sha256-"), 3u);
  EXPECT_EQ(csp.find("unsafe"), std::string::npos);
  EXPECT_EQ(csp.find("http"), std::string::npos);
  EXPECT_NE(csp.find(html::HexToBase64(html::ChartJsFile().sha256Hex)), std::string::npos);
}

TEST(HtmlPageTest, EmbeddedFilesAreTheirSources) {
  EXPECT_EQ(html::ChartJsFile().bytes, test::ReadFileBytes(WUS_CHART_JS));
  EXPECT_EQ(html::PageScriptFile().bytes,
            test::ReadFileBytes(WUS_SOURCE_DIR "/report/html/page.js"));
  EXPECT_EQ(html::PageStyleFile().bytes,
            test::ReadFileBytes(WUS_SOURCE_DIR "/report/html/page.css"));
  EXPECT_EQ(html::PageTemplateFile().bytes,
            test::ReadFileBytes(WUS_SOURCE_DIR "/report/html/page.html"));
  EXPECT_EQ(html::ChartJsFile().sha256Hex.size(), 64u);
}

}  // namespace
}  // namespace wus
