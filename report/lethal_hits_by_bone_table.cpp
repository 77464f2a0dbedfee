// The lethal hits by bone table: the lethal hits of each weapon row by the
// bone they hit. Its columns are every bone hit at all, lethally or not; it
// rebuilds m_BoneNames from nothing, so it does not depend on the hits by
// bone table having run before it.
#include "report/bone_table.h"
#include "report/sections.h"
#include "report/titles.h"

namespace wus {

void WriteLethalHitsByBoneTable(StatsAggregate& aggregate, ReportStream& stream) {
  aggregate.m_BoneNames.clear();
  WriteBoneTable(aggregate, stream, kLethalHitsByBoneTitle, BoneHits::kLethalOnly);
}

}  // namespace wus
