// Assembling the page's data from the aggregate.
#include "report/html/page_data.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "report/bone_table.h"
#include "report/html/hit_data.h"
#include "report/html/text_escape.h"
#include "report/weapon_rows.h"

namespace wus::html {
namespace {

using nlohmann::json;

json Text(std::string_view bytes) { return Cp1251ToUtf8(bytes); }

template <typename Triple>
json TeamArray(const Triple& triple) {
  return json::array({triple[0], triple[1], triple[2]});
}

// The bone columns in the order of the bone tables: first appearance over
// every player, every weapon and every hit. Returns the column + 1 of each
// bone id through `*columnOf` and the range table's column count, the most
// distance columns of any weapon, through `*rangeColumns`.
json CollectColumns(const StatsAggregate& aggregate, HitReader& reader,
                    std::vector<std::uint32_t>* columnOf, std::size_t* rangeColumns) {
  json bones = json::array();
  WeaponHits hits;
  for (const PlayerStats& player : aggregate.m_Players) {
    for (const WeaponStats& weapon : player.m_Weapons) {
      reader.Read(weapon, &hits);
      *rangeColumns = std::max(*rangeColumns, hits.rangeColumns->size());
      hits.bones.ForEach([&](const BoneHits& bone) {
        if (columnOf->size() <= bone.bone) columnOf->resize(bone.bone + std::size_t{1}, 0);
        if ((*columnOf)[bone.bone] != 0) return;
        (*columnOf)[bone.bone] = static_cast<std::uint32_t>(bones.size() + 1);
        std::string_view name = reader.BoneText(bone.bone);
        bones.push_back(json::array({Text(name), Text(ShownBoneName(name))}));
      });
    }
  }
  return bones;
}

// Adds the hit summary of a weapon row: its matched weapons' hits summed.
void AddRowHits(HitReader& reader, const WeaponRow& row, const std::vector<std::uint32_t>& columnOf,
                json* entry) {
  std::uint32_t hitCount = 0;
  std::vector<std::uint32_t> range;
  std::vector<std::uint32_t> boneHits;
  std::vector<std::uint32_t> boneLethal;
  WeaponHits hits;
  ForEachMatchedWeapon(
      row,
      [&](const WeaponStats& weapon) {
        WeaponHits ahead;
        reader.Read(weapon, &ahead);
        return ahead.bones.data();
      },
      [&](const WeaponStats& weapon) {
        reader.Read(weapon, &hits);
        AddTo(hitCount, hits.hitCount);
        if (range.size() < hits.rangeColumns->size()) range.resize(hits.rangeColumns->size());
        hits.rangeColumns->AddTo(range);
        hits.bones.ForEach([&](const BoneHits& bone) {
          const std::size_t column = columnOf[bone.bone] - std::size_t{1};
          if (boneHits.size() <= column) {
            boneHits.resize(column + 1);
            boneLethal.resize(column + 1);
          }
          AddTo(boneHits[column], bone.hits);
          AddTo(boneLethal[column], bone.lethalHits);
        });
      });
  while (!range.empty() && range.back() == 0) range.pop_back();
  json bones = json::array();
  for (std::size_t column = 0; column < boneHits.size(); ++column) {
    if (boneHits[column] == 0 && boneLethal[column] == 0) continue;
    bones.push_back(json::array({column, boneHits[column], boneLethal[column]}));
  }
  (*entry)["hitCount"] = hitCount;
  (*entry)["range"] = std::move(range);
  (*entry)["bones"] = std::move(bones);
}

json ItemColumns(const StatsAggregate& aggregate, std::size_t team) {
  std::size_t columns = 0;
  for (const PlayerStats& player : aggregate.m_Players) {
    for (const WeaponStats& weapon : player.m_Weapons) {
      // The counters never added to are 0.
      for (const BuyBucketCounts::Entry& counter : weapon.m_dwBuyBuckets.entries()) {
        if (counter.count == 0 || BuyBucketCounts::TeamOf(counter) != team) continue;
        columns = std::max(columns, BuyBucketCounts::BucketOf(counter) + 1);
      }
    }
  }
  return columns;
}

}  // namespace

json BuildPageData(const StatsAggregate& aggregate) {
  std::vector<std::uint32_t> columnOf;  // bone id to its column + 1; 0: none
  json data = json::object();
  std::size_t rangeColumns = 0;
  HitReader reader(aggregate);
  data["bones"] = CollectColumns(aggregate, reader, &columnOf, &rangeColumns);

  json weapons = json::array();
  json playerWeapons(aggregate.m_Players.size(), json::array());
  std::array<json, kNumTeams> items;
  std::array<std::size_t, kNumTeams> itemColumns{};
  for (std::size_t team = 0; team < kNumTeams; ++team) {
    items[team] = json::array();
    itemColumns[team] = ItemColumns(aggregate, team);
  }
  ForEachWeaponRow(aggregate, RowKeys::kAll, [&](const WeaponRow& row) {
    const std::size_t index = weapons.size();
    std::uint32_t bought = 0, kills = 0, shots = 0, hits = 0;
    BuyBuckets buckets{};
    TeamCounters teamTotals{};
    for (std::size_t i = 0; i < row.matched.size(); ++i) {
      const WeaponStats* weapon = row.matched[i];
      const std::size_t p = row.players[i];
      AddTo(bought, weapon->m_dwNumBought);
      AddTo(kills, weapon->m_dwNumKills);
      AddTo(shots, weapon->m_dwNumShots);
      AddTo(hits, weapon->m_dwNumHits);
      // The counters never added to are 0, and buckets past a team's column
      // count are 0 in every weapon: only the listed ones within it add.
      for (const BuyBucketCounts::Entry& counter : weapon->m_dwBuyBuckets.entries()) {
        const std::size_t team = BuyBucketCounts::TeamOf(counter);
        const std::size_t k = BuyBucketCounts::BucketOf(counter);
        if (k >= itemColumns[team]) continue;
        AddTo(buckets[team][k], counter.count);
        AddTo(teamTotals[team], counter.count);
      }
      json& cells = playerWeapons[p];
      cells.push_back(index);
      cells.push_back(weapon->m_dwNumBought);
      cells.push_back(weapon->m_dwNumKills);
      cells.push_back(weapon->m_dwNumShots);
      cells.push_back(weapon->m_dwNumHits);
    }
    json entry = {{"label", Text(row.label)},
                  {"key", Text(row.key)},
                  {"weapon", IsWeaponKey(row.key)},
                  {"bought", bought},
                  {"kills", kills},
                  {"shots", shots},
                  {"hits", hits}};
    if (IsWeaponKey(row.key)) AddRowHits(reader, row, columnOf, &entry);
    weapons.push_back(std::move(entry));
    for (std::size_t team = 0; team < kNumTeams; ++team) {
      // The item table leaves out items with no purchase in the team.
      if (teamTotals[team] == 0) continue;
      json counts = json::array({index});
      for (std::size_t k = 0; k < itemColumns[team]; ++k) counts.push_back(buckets[team][k]);
      items[team].push_back(std::move(counts));
    }
  });
  data["weapons"] = std::move(weapons);
  data["rangeColumns"] = rangeColumns;

  json players = json::array();
  for (std::size_t p = 0; p < aggregate.m_Players.size(); ++p) {
    const PlayerStats& player = aggregate.m_Players[p];
    players.push_back(
        json::array({Text(player.m_Name), player.TotalShots, TeamArray(player.m_dwTotalAliveTime),
                     TeamArray(player.m_dwTotalMoneyRound), TeamArray(player.m_dwNumRespawned),
                     std::move(playerWeapons[p])}));
  }
  data["players"] = std::move(players);
  data["teams"] = {{"alive", TeamArray(aggregate.m_dwTotalPlayersAliveTime)},
                   {"money", TeamArray(aggregate.m_dwTotalPlayersMoneyRound)},
                   {"respawns", TeamArray(aggregate.m_dwTotalNumRespawns)}};
  json itemBlocks = json::array();
  for (std::size_t team = 0; team < kNumTeams; ++team) {
    itemBlocks.push_back({{"columns", itemColumns[team]}, {"rows", std::move(items[team])}});
  }
  data["items"] = std::move(itemBlocks);
  return data;
}

}  // namespace wus::html
