// The machinery shared by the two bone tables (all hits by bone, lethal hits
// by bone): one column per distinct bone name hit with any weapon, one row
// per weapon key that contains "wpn_", a Total column and a Total row.
#pragma once

#include <string_view>

#include "stats/model.h"
#include "text/report_stream.h"

namespace wus {

enum class BoneHits {
  kAll,        // every hit counts; a row's total goes out with its bone cells
  kLethalOnly  // only lethal hits count; a row's total goes out with its label
};

// Writes `title`, then appends to aggregate.m_BoneNames every non-empty bone
// name of any hit (every player, every weapon, in order) that it does not
// hold yet; those entries are the columns. Unless the list is then empty,
// writes the heading line, one row per weapon key that contains "wpn_"
// counting the `hits` of its matched weapons, the Total row and an empty
// line. A row's Total counts also the hits without a bone name.
// Every entry already in m_BoneNames must be an id of aggregate.m_HitTexts.
// Labels, bone names and the Total row's first count are plain writes; the
// bone cells go through ReportPrintf.
void WriteBoneTable(StatsAggregate& aggregate, ReportStream& stream, const char* title,
                    BoneHits hits);

// Returns `name` as the bone tables show it: without its first six
// characters when it contains "bip01_" anywhere, otherwise whole.
std::string_view ShownBoneName(std::string_view name);

}  // namespace wus
