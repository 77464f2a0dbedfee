// The page's data against the aggregate: every number the page shows must
// be the report's. The report's own section writers serve as the oracle for
// the sums (weapon rows, distance columns, bones, items); the rest is
// compared with the aggregate's fields.
#include "report/html/page_data.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <sstream>
#include <string>
#include <vector>

#include "report/sections.h"
#include "report/titles.h"
#include "tests/hit_aggregate.h"
#include "tests/test_util.h"

namespace wus::html {
namespace {

using nlohmann::json;
using test::AddWeapons;
using test::BoneHit;
using test::HitAt;
using test::Span;
using test::TestWeapon;
using test::WriteToString;

using Cells = std::vector<std::string>;

// The lines of a section after its title, as cells (a line's last tab ends
// its last cell, so it adds none).
std::vector<Cells> Lines(const std::string& section, const char* title) {
  std::vector<Cells> lines;
  std::istringstream in(section.substr(std::string(title).size()));
  for (std::string line; std::getline(in, line);) {
    if (line.empty()) continue;
    Cells cells;
    std::size_t start = 0;
    for (std::size_t tab; (tab = line.find('\t', start)) != std::string::npos; start = tab + 1) {
      cells.push_back(line.substr(start, tab - start));
    }
    if (start < line.size()) cells.push_back(line.substr(start));
    lines.push_back(cells);
  }
  return lines;
}

// "%d" of an unsigned counter, as the report shows it.
std::string Shown(const json& counter) {
  return std::to_string(static_cast<std::int32_t>(counter.get<std::uint32_t>()));
}

const float kInf = std::numeric_limits<float>::infinity();

// Players P1..P3 with weapons whose hits reach the awkward cases of the
// hit tables: a whole-number longest distance set by an item without
// "wpn_", hits without bones, lethal hits, a display name that changes.
// Their counters wrap when a row sums them, and they bought in two teams.
void AddCases(StatsAggregate& aggregate, bool far) {
  std::vector<TestWeapon> weapons = {
      {"P1",
       "wpn_a",
       "A",
       {HitAt(0.5f, true, "bip01_head"), HitAt(2.5f, false, "bip01_spine"), HitAt(3.0f),
        Span({0, 0, 0}, {kInf, 0, 0})}},
      {"P1", "knife", "Knife", {HitAt(7.0f, true, "bip01_pelvis")}},
      {"P2", "wpn_a", "A2", {BoneHit("bip01_head"), BoneHit("xbip01_foot", true), HitAt(1, true)}},
      {"P2", "wpn_b", "B", {}},
      {"P3", "wpn_c", "C", {BoneHit("bip01_spine", true)}},
  };
  if (far) weapons[4].hits.push_back(HitAt(5000.0f, false, "bip01_l_hand"));
  AddWeapons(aggregate, weapons);
  WeaponStats& a1 = *aggregate.m_Players[0].FindWeapon("wpn_a");
  WeaponStats& a2 = *aggregate.m_Players[1].FindWeapon("wpn_a");
  WeaponStats& knife = *aggregate.m_Players[0].FindWeapon("knife");
  a1.m_dwNumKills = 0xFFFFFFFFu;
  a2.m_dwNumKills = 2;
  a1.m_dwNumBought = 0x80000000u;
  a1.m_dwNumShots = 10;
  a1.m_dwNumHits = 4;
  a2.m_dwNumHits = 3;
  knife.m_dwNumBought = 5;
  a1.m_dwBuyBuckets.Set(0, 0, 2);
  a2.m_dwBuyBuckets.Set(0, 2, 0xFFFFFFFFu);
  knife.m_dwBuyBuckets.Set(0, 1, 1);
  aggregate.m_Players[1].FindWeapon("wpn_b")->m_dwBuyBuckets.Set(2, 33, 4);
}

// The item purchase table rebuilt from the page's data: per team the
// label, the headings and one line per row.
std::string ItemTableFromData(const json& data) {
  std::string table = kItemPurchaseTitle;
  for (std::size_t team = 0; team < kNumTeams; ++team) {
    const json& block = data["items"][team];
    table += std::string(kTeamLabels[team]) + "\n";
    for (std::size_t k = 0; k < block["columns"]; ++k) {
      table += "\t" + std::to_string(k == 0 ? 500 : k * 1000);
    }
    table += "\n";
    for (const json& row : block["rows"]) {
      table += data["weapons"][row[0].get<std::size_t>()]["label"].get<std::string>() + "\t";
      for (std::size_t k = 1; k < row.size(); ++k) table += Shown(row[k]) + "\t";
      table += "\n";
    }
    table += "\n";
  }
  return table;
}

TEST(PageDataTest, EveryWeaponFigureEqualsTheReportsTables) {
  for (bool far : {false, true}) {
    SCOPED_TRACE(far ? "with a hit beyond the last column" : "short hits");
    StatsAggregate aggregate;
    AddCases(aggregate, far);
    const json data = BuildPageData(aggregate);
    const auto range =
        Lines(WriteToString(WriteRangeEffectivenessTable, aggregate), kRangeEffectivenessTitle);
    const auto bones = Lines(WriteToString(WriteHitsByBoneTable, aggregate), kHitsByBoneTitle);
    const auto lethal =
        Lines(WriteToString(WriteLethalHitsByBoneTable, aggregate), kLethalHitsByBoneTitle);
    const auto purchases =
        Lines(WriteToString(WriteWeaponPurchaseTable, aggregate), kWeaponPurchaseTitle);
    const auto kills = Lines(WriteToString(WriteWeaponKillTable, aggregate), kWeaponKillTitle);

    EXPECT_EQ(data["rangeColumns"], range[0].size() - 1);
    EXPECT_EQ(data["rangeColumns"], far ? 1024u : 8u);
    Cells boneNames;
    for (const json& bone : data["bones"]) boneNames.push_back(bone[1]);
    EXPECT_EQ(Cells(bones[0].begin() + 2, bones[0].end()), boneNames);

    const json& weapons = data["weapons"];
    ASSERT_EQ(weapons.size(), aggregate.m_WeaponNames.size());
    std::size_t row = 0;  // of the weapon tables, "wpn_" keys only
    for (std::size_t i = 0; i < weapons.size(); ++i) {
      const json& weapon = weapons[i];
      SCOPED_TRACE(weapon["label"].get<std::string>());
      EXPECT_EQ(weapon["key"], aggregate.m_WeaponNames[i]);
      EXPECT_EQ(weapon["label"], purchases[i + 1][0]);
      EXPECT_EQ(Shown(weapon["bought"]), purchases[i + 1][1]);
      if (!weapon["weapon"]) {
        EXPECT_FALSE(weapon.contains("range"));
        continue;
      }
      ASSERT_LT(row, range.size());
      EXPECT_EQ(weapon["label"], range[row][0]);
      EXPECT_EQ(Shown(weapon["kills"]), kills[row + 1][1]);
      Cells columns(data["rangeColumns"].get<std::size_t>(), "0");
      for (std::size_t k = 0; k < weapon["range"].size(); ++k)
        columns[k] = Shown(weapon["range"][k]);
      EXPECT_EQ(columns, Cells(range[row].begin() + 1, range[row].end()));
      if (!weapon["range"].empty()) {
        EXPECT_NE(weapon["range"].back(), 0u);
      }

      EXPECT_EQ(Shown(weapon["hitCount"]), bones[row + 1][1]);
      Cells hits(boneNames.size(), "0");
      Cells lethalHits(boneNames.size(), "0");
      for (const json& bone : weapon["bones"]) {
        hits[bone[0].get<std::size_t>()] = Shown(bone[1]);
        lethalHits[bone[0].get<std::size_t>()] = Shown(bone[2]);
      }
      EXPECT_EQ(hits, Cells(bones[row + 1].begin() + 2, bones[row + 1].end()));
      EXPECT_EQ(lethalHits, Cells(lethal[row + 1].begin() + 2, lethal[row + 1].end()));
      ++row;
    }
    EXPECT_EQ(row, range.size());
    // The sums wrap as the report's do.
    EXPECT_EQ(weapons[0]["kills"], 1u);
    EXPECT_EQ(weapons[0]["hits"], 7u);
    EXPECT_EQ(weapons[0]["shots"], 10u);
    EXPECT_EQ(weapons[1]["weapon"], false);

    EXPECT_EQ(ItemTableFromData(data), WriteToString(WriteItemPurchaseTable, aggregate));
    EXPECT_EQ(data["items"][1]["columns"], 0u);

    // Each player's cells: row, bought, kills, shots, hits for every row the
    // player has a weapon in.
    const json& players = data["players"];
    EXPECT_EQ(players[0][5], json::parse("[0, 2147483648, 4294967295, 10, 4, 1, 5, 0, 0, 0]"));
    EXPECT_EQ(players[1][5], json::parse("[0, 0, 2, 0, 3, 2, 0, 0, 0, 0]"));
  }
}

TEST(PageDataTest, PlayersAndTeamsCarryTheAggregatesFiguresAndDecodedNames) {
  StatsAggregate aggregate;
  PlayerStats& ivan = aggregate.FindOrAddPlayer("\xC8\xE2\xE0\xED\x98");
  ivan.TotalShots = 12;
  ivan.m_dwTotalAliveTime = {1005, 0, 4000000000u};
  ivan.m_dwTotalMoneyRound = {-100, 250, 0};
  ivan.m_dwNumRespawned = {1, 2, 3};
  aggregate.FindOrAddPlayer("<b>");
  aggregate.m_dwTotalPlayersAliveTime = {90000, 1, 2};
  aggregate.m_dwTotalPlayersMoneyRound = {-5, 6, 7};
  aggregate.m_dwTotalNumRespawns = {4, 0, 8};
  const json data = BuildPageData(aggregate);
  EXPECT_EQ(
      data["players"][0],
      json::parse("[\"Иван\uFFFD\", 12, [1005, 0, 4000000000], [-100, 250, 0], [1, 2, 3], []]"));
  EXPECT_EQ(data["players"][1][0], "<b>");
  EXPECT_EQ(data["teams"], json::parse(R"({"alive": [90000, 1, 2], "money": [-5, 6, 7],
                                           "respawns": [4, 0, 8]})"));
  EXPECT_EQ(data["weapons"], json::array());
  EXPECT_EQ(data["bones"], json::array());
  EXPECT_EQ(data["rangeColumns"], 0u);
}

}  // namespace
}  // namespace wus::html
