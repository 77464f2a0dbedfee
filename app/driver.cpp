// The program's control flow.
#include "app/driver.h"

#include <cstdio>
#include <cstdlib>

#include "app/report_file.h"
#include "app/report_name.h"
#include "report/sections.h"
#include "stats/load_files.h"
#include "text/log.h"

namespace wus {

unsigned JobsFromEnvironment() {
  const char* value = std::getenv("WUS_JOBS");
  if (value == nullptr || *value == '\0') return 0;
  unsigned jobs = 0;
  for (const char* c = value; *c != '\0'; ++c) {
    if (*c < '0' || *c > '9') return 0;
    jobs = jobs * 10 + static_cast<unsigned>(*c - '0');
    if (jobs > 1024) return 0;
  }
  return jobs;
}

void WriteReport(const StatsAggregate& aggregate, ReportStream& stream) {
  WriteUsedFilesList(aggregate, stream);
  WriteWeaponPurchaseTable(aggregate, stream);
  WriteWeaponKillTable(aggregate, stream);
  WriteWeaponEfficiencyTable(aggregate, stream);
  WriteWeaponAccuracyTable(aggregate, stream);
  WriteRangeEffectivenessTable(aggregate, stream);
  WriteHitsByBoneTable(aggregate, stream);
  WriteLethalHitsByBoneTable(aggregate, stream);
  WriteAverageMoneyTable(aggregate, stream);
  WriteItemPurchaseTable(aggregate, stream);
  WriteAverageLifetimeTable(aggregate, stream);
}

int RunWusReport(const std::vector<std::string>& paths, const DriverEnv& env) {
  StatsAggregate aggregate;
  ReportNameParts nameParts;
  LoadFiles(paths, aggregate, env.jobs, *env.fileSystem,
            [&](std::size_t, const LoadResult& result) { nameParts.Offer(result); });

  std::string name = FormatReportName(nameParts, env.localTime());
  LogMessage("Writing '%s'\n", name.c_str());
  std::string error;
  if (!WriteReportFile(name, aggregate, *env.fileSystem, &error)) {
    std::fflush(stdout);
    std::fprintf(stderr, "Cannot write report '%s': %s\n", name.c_str(), error.c_str());
    return 1;
  }
  return 0;
}

}  // namespace wus
