// wus_html_page OUT.html FILE...: loads the WUS files with the loader, as
// wusreport does (its console trace included), and writes the HTML page of
// the aggregate to OUT.html. The browser test and the screenshot use it.
// Exits 1 if the page cannot be written.
#include <cstdio>
#include <string>
#include <vector>

#include "platform/file_system.h"
#include "report/html/html_page.h"
#include "stats/loader.h"
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

  wus::FileSystem& files = wus::FileSystem::Default();
  std::string error;
  std::unique_ptr<wus::WritableFile> out = files.CreateForWrite(argv[1], &error);
  bool ok = out != nullptr;
  if (ok) {
    wus::ReportStream stream(out.get());
    wus::WriteHtmlPage(aggregate, input, stream);
    ok = stream.Flush(&error) && out->Close(&error);
  }
  if (!ok) {
    std::fprintf(stderr, "Cannot write '%s': %s\n", argv[1], error.c_str());
    return 1;
  }
  return 0;
}
