// The HTML page: the whole report as one self-contained UTF-8 file that a
// browser opens offline. The page's template, style and script, Chart.js
// and the data (page_data.h) are all written inline; its Content-Security-
// Policy allows no request of any kind and only those inline scripts and
// that style, named by their hashes.
#pragma once

#include <string>
#include <vector>

#include "stats/model.h"
#include "text/report_stream.h"

namespace wus {

struct HtmlPageInput {
  std::vector<std::string> filesRead;     // file names of the accepted files, in order
  std::vector<std::string> filesSkipped;  // paths as given of skipped files, in order
};

// Writes the whole page (UTF-8) to `out`.
void WriteHtmlPage(const StatsAggregate& aggregate, const HtmlPageInput& input, ReportStream& out);

namespace html {

// The page's Content-Security-Policy.
std::string ContentSecurityPolicy();

// Returns the base64 form of the bytes that `hex` (an even number of hex
// digits) spells.
std::string HexToBase64(std::string_view hex);

}  // namespace html
}  // namespace wus
