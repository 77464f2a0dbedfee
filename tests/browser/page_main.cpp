// wus_html_page OUT.html FILE...: loads the WUS files with the loader, as
// wusreport does (its console trace included), and writes the HTML page of
// the aggregate to OUT.html. The browser test and the screenshot use it.
// Exits 1 if the page cannot be written.
#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

#include "platform/file_system.h"
#include "report/html/html_page.h"
#include "stats/loader.h"
#include "tests/test_util.h"
#include "text/log.h"
#include "text/report_stream.h"

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: wus_html_page OUT.html FILE...\n");
    return 2;
  }
  wus::StatsAggregate aggregate;
  wus::LoaderState state;
  wus::HtmlPageInput input;
  for (int i = 2; i < argc; ++i) {
    const std::string path = argv[i];
    const std::size_t accepted = aggregate.m_UsedFiles.size();
    wus::ConsoleEcho(path);
    wus::ConsoleEcho(" ");
    wus::LoadStatsFile(path, aggregate, state);
    if (aggregate.m_UsedFiles.size() == accepted) input.filesSkipped.push_back(path);
  }
  input.filesRead = aggregate.m_UsedFiles;

  // The page is collected in memory and then written in one go.
  wus::test::StringWritableFile page;
  std::string error;
  {
    wus::ReportStream stream(&page);
    wus::WriteHtmlPage(aggregate, input, stream);
    stream.Flush(&error);
  }
  std::ofstream out(argv[1], std::ios::binary);
  out.write(page.contents.data(), static_cast<std::streamsize>(page.contents.size()));
  if (!out.flush()) {
    std::fprintf(stderr, "Cannot write '%s'\n", argv[1]);
    return 1;
  }
  return 0;
}
