// The hit summaries against a plain count: generated corpora (every
// version, players that repeat, hits at every kind of distance) loaded
// through the worker threads give the range and bone tables that a
// straightforward walk over every hit of the same files counts.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "report/sections.h"
#include "report/titles.h"
#include "stats/load_files.h"
#include "tests/memory_file_system.h"
#include "tests/test_util.h"
#include "tools/sample.h"

namespace wus::test {
namespace {

// Every hit of every weapon, kept as read, keyed by the weapon's place in
// the aggregate (player index, weapon index).
using HitsByWeapon = std::map<std::pair<std::size_t, std::size_t>, std::vector<WusHitRecord>>;

// Replays the files' records through the model's own lookups, keeping the
// hits instead of folding them.
HitsByWeapon CollectHits(const std::vector<WusFile>& files) {
  StatsAggregate shadow;
  HitsByWeapon hits;
  for (const WusFile& file : files) {
    for (const WusPlayer& player : file.players) {
      PlayerStats& p = shadow.FindOrAddPlayer(player.record.name);
      std::size_t pi = static_cast<std::size_t>(&p - shadow.m_Players.data());
      for (const WusWeapon& weapon : player.weapons) {
        WeaponStats& w = p.FindOrAddWeapon(weapon.record.id, weapon.record.displayName);
        std::size_t wi = static_cast<std::size_t>(&w - p.m_Weapons.data());
        std::vector<WusHitRecord>& list = hits[{pi, wi}];
        for (WusHitRecord hit : weapon.hits) {
          if (file.header.version < 2) hit.boneName.clear();
          list.push_back(hit);
        }
      }
    }
  }
  return hits;
}

// The column of a hit as the table defines it: the floor of the distance,
// at most 1023; -1 for a distance that is not a finite number.
int Column(const WusHitRecord& hit) {
  double sum = 0;
  for (std::size_t axis = 0; axis < 3; ++axis) {
    double d = static_cast<double>(hit.pos2[axis]) - static_cast<double>(hit.pos1[axis]);
    sum += d * d;
  }
  double distance = std::sqrt(sum);
  if (!std::isfinite(distance)) return -1;
  return static_cast<int>(std::min(std::floor(distance), 1023.0));
}

struct ExpectedTables {
  std::string range, bones, lethal;
};

// The three tables, counted hit by hit.
ExpectedTables CountTables(const StatsAggregate& aggregate, const HitsByWeapon& hits) {
  // The columns: the longest distance of any weapon; the bones in order of
  // first appearance over players, weapons and hits.
  int columns = 0;
  std::vector<std::string> bones;
  for (const auto& [where, list] : hits) {
    for (const WusHitRecord& hit : list) columns = std::max(columns, Column(hit) + 1);
  }
  for (std::size_t pi = 0; pi < aggregate.m_Players.size(); ++pi) {
    for (std::size_t wi = 0; wi < aggregate.m_Players[pi].m_Weapons.size(); ++wi) {
      auto found = hits.find({pi, wi});
      if (found == hits.end()) continue;
      for (const WusHitRecord& hit : found->second) {
        if (!hit.boneName.empty() &&
            std::find(bones.begin(), bones.end(), hit.boneName) == bones.end())
          bones.push_back(hit.boneName);
      }
    }
  }
  ExpectedTables out;
  out.range = kRangeEffectivenessTitle;
  out.bones = kHitsByBoneTitle;
  out.lethal = kLethalHitsByBoneTitle;
  std::string heading = "\tTotal";
  for (const std::string& bone : bones) {
    heading += "\t" + (bone.find("bip01_") != std::string::npos ? bone.substr(6) : bone);
  }
  if (!bones.empty()) {
    out.bones += heading + "\n";
    out.lethal += heading + "\n";
  }
  std::vector<std::uint32_t> allTotals(bones.size()), lethalTotals(bones.size());
  std::uint32_t allGrand = 0, lethalGrand = 0;
  auto cells = [](std::uint32_t first, const std::vector<std::uint32_t>& counts) {
    std::string text = std::to_string(static_cast<std::int32_t>(first)) + "\t";
    for (std::uint32_t count : counts) text += std::to_string(count) + "\t";
    return text;
  };
  for (const NameBuf& key : aggregate.m_WeaponNames) {
    if (key.find("wpn_") == std::string::npos) continue;
    std::string label = key;
    std::vector<std::uint32_t> range(static_cast<std::size_t>(columns));
    std::vector<std::uint32_t> all(bones.size()), lethal(bones.size());
    std::uint32_t allRow = 0, lethalRow = 0;
    for (std::size_t pi = 0; pi < aggregate.m_Players.size(); ++pi) {
      const PlayerStats& player = aggregate.m_Players[pi];
      const WeaponStats* weapon = player.FindWeapon(key);
      if (weapon == nullptr) continue;
      label = weapon->m_DisplayName;
      auto found = hits.find({pi, static_cast<std::size_t>(weapon - player.m_Weapons.data())});
      if (found == hits.end()) continue;
      for (const WusHitRecord& hit : found->second) {
        if (int column = Column(hit); column >= 0) ++range[static_cast<std::size_t>(column)];
        auto bone = std::find(bones.begin(), bones.end(), hit.boneName);
        std::size_t b = static_cast<std::size_t>(bone - bones.begin());
        ++allRow;
        if (bone != bones.end()) ++all[b], ++allTotals[b];
        if (hit.lethal == 0) continue;
        ++lethalRow;
        if (bone != bones.end()) ++lethal[b], ++lethalTotals[b];
      }
    }
    out.range += label + "\t";
    for (std::uint32_t count : range) out.range += std::to_string(count) + "\t";
    out.range += "\n";
    allGrand += allRow;
    lethalGrand += lethalRow;
    if (bones.empty()) continue;  // the bone tables end after their title
    out.bones += label + "\t" + cells(allRow, all) + "\n";
    out.lethal += label + "\t" + cells(lethalRow, lethal) + "\n";
  }
  out.range += "\n";
  if (!bones.empty()) {
    out.bones += "Total\t" + cells(allGrand, allTotals) + "\n\n";
    out.lethal += "Total\t" + cells(lethalGrand, lethalTotals) + "\n\n";
  }
  return out;
}

TEST(HitSummaryTest, TablesFromSummariesEqualAPlainCountOfTheHits) {
  constexpr float kInf = std::numeric_limits<float>::infinity();
  constexpr float kNaN = std::numeric_limits<float>::quiet_NaN();
  for (std::uint32_t version : {0u, 1u, 2u}) {
    for (std::uint64_t seed : {3u, 4u}) {
      SCOPED_TRACE(testing::Message() << "version " << version << " seed " << seed);
      tool::SampleOptions options;
      options.seed = seed;
      options.files = 12;
      options.players = 5;
      options.weapons = 6;
      options.hits = 12;
      options.version = version;
      options.distinctPlayers = 7;  // players repeat from file to file
      tool::SampleCorpus corpus(options);
      std::vector<WusFile> files;
      std::vector<std::string> paths;
      MemoryFileSystem fileSystem;
      WusFile file;
      std::string name;
      while (corpus.Next(&file, &name)) {
        // Hits beyond the last column, at no finite distance and at a
        // whole-number distance, with bones first seen late.
        if (files.size() == 5 && !file.players.empty() && !file.players[0].weapons.empty()) {
          auto& extra = file.players[0].weapons[0].hits;
          extra.push_back(MakeHit({0, 0, 0}, {5000, 0, 0}, true, "bip01_late"));
          extra.push_back(MakeHit({kNaN, 0, 0}, {0, 0, 0}, true, "bip01_nan"));
          extra.push_back(MakeHit({0, 0, 0}, {kInf, 0, 0}, false, ""));
          extra.push_back(MakeHit({1, 1, 1}, {1, 1, 4}, false, "bip01_head"));
        }
        // Weapons with more bones than a summary lists without an index,
        // some old and some new to it in every file.
        if (!file.players.empty() && !file.players[0].weapons.empty()) {
          auto& many = file.players[0].weapons[0].hits;
          for (std::size_t k = files.size(); k < files.size() + 80; k += 1 + k % 2) {
            many.push_back(MakeHit({0, 0, 0}, {1, 2, 2}, k % 3 == 0, "bone" + std::to_string(k)));
          }
        }
        fileSystem.SetFile(name, EncodeWusFile(file));
        files.push_back(file);
        paths.push_back(name);
      }
      StatsAggregate aggregate;
      {
        ConsoleCapture console;
        LoadFiles(paths, aggregate, 3, fileSystem, [](std::size_t, const LoadResult&) {});
      }
      ExpectedTables expected = CountTables(aggregate, CollectHits(files));
      EXPECT_EQ(WriteToString(WriteRangeEffectivenessTable, aggregate), expected.range);
      EXPECT_EQ(WriteToString(WriteHitsByBoneTable, aggregate), expected.bones);
      EXPECT_EQ(WriteToString(WriteLethalHitsByBoneTable, aggregate), expected.lethal);
    }
  }
}

// A summary with many bones keeps an index of them: adding a record with a
// few bones costs in proportion to those, not to the summary's list. The
// work is counted (bones marked in the scratch), not timed; the counts and
// the order of first appearance are those of a plain tally.
TEST(HitSummaryTest, AddingFewBonesToALongListCostsThoseFew) {
  constexpr std::uint32_t kBones = 3000, kRecords = 3000;
  HitSummary summary;
  BoneSlots slots;
  std::vector<std::uint32_t> hits(2 * kBones + 1), order;
  auto add = [&](const std::vector<NameId>& bones) {
    FileHitSummary record;
    for (NameId bone : bones) {
      record.bones.push_back(BoneHitCount{bone, 1, bone % 2});
      if (hits[bone]++ == 0) order.push_back(bone);
    }
    summary.Add(
        record, [](NameId bone) { return bone; }, slots);
  };
  for (NameId bone = 1; bone <= kBones; bone += 50) add({bone});  // short: marked
  std::vector<NameId> all;
  for (NameId bone = 1; bone <= kBones; ++bone) all.push_back(bone);
  add(all);
  for (std::uint32_t r = 0; r < kRecords; ++r) add({1 + r * 7 % kBones, kBones + 1 + r});
  EXPECT_LT(slots.marked, std::uint64_t{HitSummary::kIndexedBones} * HitSummary::kIndexedBones);
  const BoneList bones = summary.bones();
  ASSERT_EQ(bones.size(), order.size());
  for (std::size_t i = 0; i < order.size(); ++i) {
    EXPECT_EQ(bones[i].bone, order[i]);
    EXPECT_EQ(bones[i].hits, hits[order[i]]);
    EXPECT_EQ(bones[i].lethalHits, order[i] % 2 * hits[order[i]]);
  }
}

}  // namespace
}  // namespace wus::test
