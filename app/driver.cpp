// The program's control flow.
#include "app/driver.h"

#include <cstdio>

#include "app/report_file.h"
#include "app/report_name.h"
#include "report/sections.h"
#include "stats/loader.h"
#include "text/log.h"

namespace wus {

void WriteReport(StatsAggregate& aggregate, ReportStream& stream) {
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
  LoaderState state;
  for (const std::string& path : paths) {
    // The echo ends no line: the loader's first line continues it.
    ConsoleEcho(path);
    ConsoleEcho(" ");
    LoadStatsFile(path, aggregate, state, *env.fileSystem);
  }

  std::string name = FormatReportName(state, env.localTime());
  LogMessage("Writing '%s'\n", name.c_str());
  std::string error;
  if (!WriteReportFile(name, aggregate, *env.fileSystem, &error, env.temporaryFile)) {
    FlushConsole();
    std::fprintf(stderr, "Cannot write report '%s': %s\n", name.c_str(), error.c_str());
    return 1;
  }
  return 0;
}

}  // namespace wus
