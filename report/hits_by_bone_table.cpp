// The hits by bone table: every hit of each weapon row by the bone it hit.
// It adds the bone columns to whatever m_BoneNames already holds.
#include "report/bone_table.h"
#include "report/sections.h"
#include "report/titles.h"

namespace wus {

void WriteHitsByBoneTable(StatsAggregate& aggregate, ReportStream& stream) {
  WriteBoneTable(aggregate, stream, kHitsByBoneTitle, BoneHits::kAll);
}

}  // namespace wus
