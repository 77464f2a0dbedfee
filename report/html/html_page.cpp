// Filling the page's template: each "{{NAME}}" marker of page.html is
// replaced by its part, escaped for where it stands.
#include "report/html/html_page.h"

#include <cstdint>
#include <string_view>

#include "report/html/embedded.h"
#include "report/html/page_data.h"
#include "report/html/text_escape.h"

namespace wus {
namespace html {
namespace {

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return 0;
}

std::string HashSource(const EmbeddedFile& file) {
  return "'sha256-" + HexToBase64(file.sha256Hex) + "'";
}

// The <li> items of a file list, names decoded and escaped as HTML text.
std::string FileItems(const std::vector<std::string>& names) {
  std::string items;
  for (const std::string& name : names) {
    items += "<li>";
    AppendHtmlText(&items, Cp1251ToUtf8(name));
    items += "</li>\n";
  }
  return items;
}

// The data as JSON that is safe inside the page's data <script> element.
std::string DataJson(const StatsAggregate& aggregate) {
  std::string json =
      BuildPageData(aggregate).dump(-1, ' ', false, nlohmann::json::error_handler_t::replace);
  EscapeJsonForScript(&json);
  return json;
}

}  // namespace

std::string HexToBase64(std::string_view hex) {
  static constexpr char kDigits[] =
      "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
  std::string bytes;
  for (std::size_t i = 0; i + 1 < hex.size(); i += 2) {
    bytes.push_back(static_cast<char>(HexDigit(hex[i]) * 16 + HexDigit(hex[i + 1])));
  }
  auto byteAt = [&](std::size_t i) -> std::uint32_t {
    return i < bytes.size() ? static_cast<unsigned char>(bytes[i]) : 0u;
  };
  std::string out;
  for (std::size_t i = 0; i < bytes.size(); i += 3) {
    const std::uint32_t group = byteAt(i) << 16 | byteAt(i + 1) << 8 | byteAt(i + 2);
    out.push_back(kDigits[(group >> 18) & 63]);
    out.push_back(kDigits[(group >> 12) & 63]);
    out.push_back(i + 1 < bytes.size() ? kDigits[(group >> 6) & 63] : '=');
    out.push_back(i + 2 < bytes.size() ? kDigits[group & 63] : '=');
  }
  return out;
}

std::string ContentSecurityPolicy() {
  return "default-src 'none'; script-src " + HashSource(ChartJsFile()) + " " +
         HashSource(PageScriptFile()) + "; style-src " + HashSource(PageStyleFile()) +
         "; base-uri 'none'; form-action 'none'";
}

}  // namespace html

void WriteHtmlPage(const StatsAggregate& aggregate, const HtmlPageInput& input, ReportStream& out) {
  using namespace html;
  const std::string_view page = PageTemplateFile().bytes;
  std::size_t pos = 0;
  while (pos < page.size()) {
    const std::size_t open = page.find("{{", pos);
    const std::size_t close = open == std::string_view::npos ? open : page.find("}}", open);
    if (close == std::string_view::npos) {
      out.Write(page.substr(pos));
      break;
    }
    out.Write(page.substr(pos, open - pos));
    const std::string_view name = page.substr(open + 2, close - open - 2);
    if (name == "CSP") {
      std::string csp;
      AppendHtmlText(&csp, ContentSecurityPolicy());
      out.Write(csp);
    } else if (name == "STYLE") {
      out.Write(PageStyleFile().bytes);
    } else if (name == "CHART_JS") {
      out.Write(ChartJsFile().bytes);
    } else if (name == "SCRIPT") {
      out.Write(PageScriptFile().bytes);
    } else if (name == "DATA") {
      out.Write(DataJson(aggregate));
    } else if (name == "FILES_READ") {
      out.Write(FileItems(input.filesRead));
    } else if (name == "FILES_SKIPPED") {
      out.Write(FileItems(input.filesSkipped));
    } else if (name == "FILES_READ_COUNT") {
      out.Write(std::to_string(input.filesRead.size()));
    } else if (name == "FILES_SKIPPED_COUNT") {
      out.Write(std::to_string(input.filesSkipped.size()));
    }
    pos = close + 2;
  }
}

}  // namespace wus
