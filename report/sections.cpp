// The section entry points that only pick a title, the figures and the rows
// for a shared table shape (report/weapon_tables.h, report/bone_table.h,
// report/team_average_table.h). The range and item purchase tables have
// writers of their own.
#include "report/sections.h"

#include <algorithm>
#include <array>
#include <atomic>
#include <string>
#include <vector>

#include "platform/side_by_side.h"
#include "report/bone_table.h"
#include "report/team_average_table.h"
#include "report/titles.h"
#include "report/weapon_tables.h"

namespace wus {
namespace {

constexpr double kSecondsPerMillisecond = static_cast<double>(0.001f);

using TableWriter = void (*)(const WeaponRowIndex&, ReportStream&);

// The tables in report order.
constexpr std::array<TableWriter, 9> kTables = {
    &WriteWeaponPurchaseTable,
    &WriteWeaponKillTable,
    &WriteWeaponEfficiencyTable,
    &WriteWeaponAccuracyTable,
    &WriteRangeEffectivenessTable,
    [](const WeaponRowIndex& rows, ReportStream& stream) {
      // The two bone tables count the same hits: one walk for both.
      WriteBoneTables(rows, stream, kHitsByBoneTitle, kLethalHitsByBoneTitle);
    },
    [](const WeaponRowIndex& rows, ReportStream& stream) {
      WriteAverageMoneyTable(rows.aggregate(), stream);
    },
    &WriteItemPurchaseTable,
    [](const WeaponRowIndex& rows, ReportStream& stream) {
      WriteAverageLifetimeTable(rows.aggregate(), stream);
    },
};

}  // namespace

void WriteTables(const WeaponRowIndex& rows, ReportStream& stream, unsigned threads) {
  if (threads <= 1) {
    for (TableWriter write : kTables) write(rows, stream);
    return;
  }
  // Every thread takes the next table not yet taken, so a long table on
  // one thread leaves the short ones to the others.
  std::array<ReportStream, kTables.size()> texts;
  std::atomic<std::size_t> next{0};
  RunSideBySide(std::min<std::size_t>(threads, kTables.size()), [&](std::size_t) {
    for (std::size_t i; (i = next.fetch_add(1)) < kTables.size();) kTables[i](rows, texts[i]);
  });
  for (const ReportStream& text : texts) stream.Write(text.text());
}

// Purchases of every item, weapons or not.
void WriteWeaponPurchaseTable(const StatsAggregate& aggregate, ReportStream& stream) {
  WriteWeaponPurchaseTable(WeaponRowIndex(aggregate), stream);
}

void WriteWeaponPurchaseTable(const WeaponRowIndex& rows, ReportStream& stream) {
  WriteCountTable(rows, kWeaponPurchaseTitle, kTotalCaptionFeminine, RowKeys::kAll,
                  &WeaponStats::m_dwNumBought, stream);
}

// Kills per weapon, over all players and per player.
void WriteWeaponKillTable(const StatsAggregate& aggregate, ReportStream& stream) {
  WriteWeaponKillTable(WeaponRowIndex(aggregate), stream);
}

void WriteWeaponKillTable(const WeaponRowIndex& rows, ReportStream& stream) {
  WriteCountTable(rows, kWeaponKillTitle, kTotalCaptionNeuter, RowKeys::kWeaponsOnly,
                  &WeaponStats::m_dwNumKills, stream);
}

// Kills per hit.
void WriteWeaponEfficiencyTable(const StatsAggregate& aggregate, ReportStream& stream) {
  WriteWeaponEfficiencyTable(WeaponRowIndex(aggregate), stream);
}

void WriteWeaponEfficiencyTable(const WeaponRowIndex& rows, ReportStream& stream) {
  WriteRatioTable(rows, kWeaponEfficiencyTitle, &WeaponStats::m_dwNumKills,
                  &WeaponStats::m_dwNumHits, stream);
}

// Hits per shot.
void WriteWeaponAccuracyTable(const StatsAggregate& aggregate, ReportStream& stream) {
  WriteWeaponAccuracyTable(WeaponRowIndex(aggregate), stream);
}

void WriteWeaponAccuracyTable(const WeaponRowIndex& rows, ReportStream& stream) {
  WriteRatioTable(rows, kWeaponAccuracyTitle, &WeaponStats::m_dwNumHits, &WeaponStats::m_dwNumShots,
                  stream);
}

// Every hit of each weapon row by the bone it hit.
void WriteHitsByBoneTable(const StatsAggregate& aggregate, ReportStream& stream) {
  WriteHitsByBoneTable(WeaponRowIndex(aggregate), stream);
}

void WriteHitsByBoneTable(const WeaponRowIndex& rows, ReportStream& stream) {
  WriteBoneTable(rows, stream, kHitsByBoneTitle, BoneHits::kAll);
}

// The lethal hits of each weapon row by bone; its columns are every bone
// hit at all, lethally or not.
void WriteLethalHitsByBoneTable(const StatsAggregate& aggregate, ReportStream& stream) {
  WriteLethalHitsByBoneTable(WeaponRowIndex(aggregate), stream);
}

void WriteLethalHitsByBoneTable(const WeaponRowIndex& rows, ReportStream& stream) {
  WriteBoneTable(rows, stream, kLethalHitsByBoneTitle, BoneHits::kLethalOnly);
}

// Money earned per respawn in each team; money is signed.
void WriteAverageMoneyTable(const StatsAggregate& aggregate, ReportStream& stream) {
  WriteTeamAverageTable(aggregate, kAverageMoneyTitle, &StatsAggregate::m_dwTotalPlayersMoneyRound,
                        &PlayerStats::m_dwTotalMoneyRound, 1.0, stream);
  stream.Write("\n");
}

// Seconds alive per respawn in each team.
void WriteAverageLifetimeTable(const StatsAggregate& aggregate, ReportStream& stream) {
  WriteTeamAverageTable(aggregate, kAverageLifetimeTitle,
                        &StatsAggregate::m_dwTotalPlayersAliveTime,
                        &PlayerStats::m_dwTotalAliveTime, kSecondsPerMillisecond, stream);
}

}  // namespace wus
