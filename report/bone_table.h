// The machinery shared by the two bone tables (all hits by bone, lethal hits
// by bone): one column per distinct bone name hit with any weapon, one row
// per weapon key that contains "wpn_", a Total column and a Total row. The
// counts come from the weapons' hit summaries.
#pragma once

#include <string_view>
#include <vector>

#include "report/weapon_rows.h"
#include "stats/model.h"
#include "text/report_stream.h"

namespace wus {

enum class BoneHits {
  kAll,        // every hit counts; a row's total goes out with its bone cells
  kLethalOnly  // only lethal hits count; a row's total goes out with its label
};

// Returns the bone columns: every bone of every weapon's summary (ids of
// aggregate.m_BoneTexts), in order of first appearance over the players,
// then their weapons, then that weapon's bones; each once.
std::vector<NameId> BoneColumns(const StatsAggregate& aggregate);

// Writes `title`; unless BoneColumns is empty, then the heading line, one
// row per weapon key that contains "wpn_" counting the `hits` of its
// matched weapons, the Total row and an empty line. A row's Total counts
// also the hits without a bone name. Labels, bone names and the Total row's
// first count are plain writes; the bone cells go through ReportPrintf.
void WriteBoneTable(const WeaponRowIndex& rows, ReportStream& stream, const char* title,
                    BoneHits hits);

// Writes the table of all hits (`allTitle`) and then that of lethal hits
// (`lethalTitle`), as WriteBoneTable does, from one walk over the hits.
void WriteBoneTables(const WeaponRowIndex& rows, ReportStream& stream, const char* allTitle,
                     const char* lethalTitle);

// Returns `name` as the bone tables show it: without its first six
// characters when it contains "bip01_" anywhere, otherwise whole.
std::string_view ShownBoneName(std::string_view name);

}  // namespace wus
