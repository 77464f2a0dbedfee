// Merging one file's records, with the console trace.
#include "stats/loader.h"

#include <algorithm>

#include "text/log.h"

namespace wus {
namespace {

template <typename T>
void AddTriple(std::array<T, kNumTeams>& sums, const RawTriple& values) {
  for (std::size_t team = 0; team < kNumTeams; ++team) AddTo(sums[team], values[team]);
}

// Logs `prefix` and the three sums, as "%d, %d, %d\n".
void LogTriple(std::string_view prefix, const TeamCounters& sums) {
  LogNumbers(prefix, AsSigned(sums[0]), AsSigned(sums[1]), AsSigned(sums[2]));
}

void LogTriple(std::string_view prefix, const TeamMoney& sums) {
  LogNumbers(prefix, sums[0], sums[1], sums[2]);
}

class Merger {
 public:
  // The file's bone texts are interned in the aggregate's pool up front:
  // every one of them belongs to a hit the merge adds, and the ids only
  // name texts (no output depends on their order).
  Merger(const FileRecords& records, StatsAggregate& aggregate)
      : records_(records), aggregate_(aggregate), boneIds_(records.bones.size(), NamePool::kEmpty) {
    for (NameId local = 1; local < boneIds_.size(); ++local) {
      boneIds_[local] = aggregate_.m_BoneTexts.Intern(records_.bones.Get(local));
    }
  }

  void Merge() {
    const WusHeader& header = records_.header;
    AddTriple(aggregate_.m_dwTotalPlayersAliveTime, header.totalPlayersAliveTime);
    LogTriple("\tm_dwTotalPlayersAliveTime - ", aggregate_.m_dwTotalPlayersAliveTime);
    AddTriple(aggregate_.m_dwTotalPlayersMoneyRound, header.totalPlayersMoneyRound);
    LogTriple("\tm_dwTotalPlayersMoneyRound - ", aggregate_.m_dwTotalPlayersMoneyRound);
    AddTriple(aggregate_.m_dwTotalNumRespawns, header.totalNumRespawns);
    LogTriple("\tm_dwTotalNumRespawns - ", aggregate_.m_dwTotalNumRespawns);
    LogNumber("\tNumPlayers - ", AsSigned(header.numPlayers));
    std::size_t nextWeapon = 0;
    for (const FilePlayer& player : records_.players) {
      MergePlayer(player, nextWeapon);
      nextWeapon += player.weaponsRead;
    }
  }

 private:
  void MergePlayer(const FilePlayer& player, std::size_t firstWeapon) {
    const WusPlayerRecord& record = player.record;
    LogName("\t\tPlayer : ", record.name);
    PlayerStats& p = aggregate_.FindOrAddPlayer(record.name);
    // A player seen for the first time gets room for this record's weapons
    // at once, rather than growing a few at a time (a file's repeated
    // weapon records may match one another: only so many are counted).
    constexpr std::size_t kMostWeaponsReserved = 64;
    if (p.m_Weapons.empty()) {
      p.ReserveWeapons(std::min<std::size_t>(player.weaponsRead, kMostWeaponsReserved));
    }
    AddTo(p.TotalShots, record.totalShots);
    LogNumber("\t\t\t TotalShots - ", AsSigned(p.TotalShots));
    AddTriple(p.m_dwTotalAliveTime, record.totalAliveTime);
    LogTriple("\t\t\t m_dwTotalAliveTime - ", p.m_dwTotalAliveTime);
    AddTriple(p.m_dwTotalMoneyRound, record.totalMoneyRound);
    LogTriple("\t\t\t m_dwTotalMoneyRound - ", p.m_dwTotalMoneyRound);
    AddTriple(p.m_dwNumRespawned, record.numRespawned);
    LogTriple("\t\t\t m_dwNumRespawned - ", p.m_dwNumRespawned);
    LogNumber("\t\t\t NumWeapons - ", AsSigned(record.numWeapons));
    for (std::size_t i = 0; i < player.weaponsRead; ++i) {
      MergeWeapon(records_.weapons[firstWeapon + i], p);
    }
  }

  void MergeWeapon(const FileWeapon& weapon, PlayerStats& p) {
    const WusWeaponRecord& record = weapon.record;
    LogName("\t\t\t\t Weapon : ", record.id);
    const std::size_t weaponsBefore = p.m_Weapons.size();
    WeaponStats& w = p.FindOrAddWeapon(record.id, record.displayName);
    // The identifier of every weapon enters the names once, when the weapon
    // is first added to a player.
    if (p.m_Weapons.size() != weaponsBefore) w.nameIndex = aggregate_.AddWeaponName(w.m_Name);
    AddTo(w.m_dwNumBought, record.numBought);
    AddTo(w.m_dwAuxCount, record.auxCount);
    AddTo(w.m_dwNumShots, record.numShots);
    AddTo(w.m_dwNumHits, record.numHits);
    AddTo(w.m_dwNumKills, record.numKills);
    w.m_dwBuyBuckets.AddSorted(weapon.buys);
    LogNumber("\t\t\t\t\t dwNumHits : ", AsSigned(record.numHitRecords));
    w.m_HitSummary.Add(
        weapon.hits, [this](NameId local) { return boneIds_[local]; }, boneSlots_);
  }

  const FileRecords& records_;
  StatsAggregate& aggregate_;
  std::vector<NameId> boneIds_;  // the aggregate's id of each of the file's bone ids
  BoneSlots boneSlots_;          // scratch for adding hit summaries
};

}  // namespace

LoadResult MergeFileRecords(const std::string& path, const FileRecords& records,
                            StatsAggregate& aggregate) {
  LogMessage("Processing '%s'\n", path.c_str());
  LoadResult result;
  result.status = records.status;
  result.version = records.version;
  switch (records.status) {
    case LoadStatus::kCannotOpen:
      result.error = records.error;
      LogMessage("Cannot open file: %s - Skipping!\n", records.error.c_str());
      return result;
    case LoadStatus::kNotWus:
      LogMessage("Not a proper WUS file.\n");
      return result;
    case LoadStatus::kUnknownVersion:
      LogMessage("Strange file version - Skipping!\n");
      return result;
    case LoadStatus::kAccepted:
      break;
  }
  result.fullPath = records.fullPath;
  result.fileNamePos = records.fileNamePos;
  result.cutShort = records.cutShort;
  aggregate.AddUsedFile(std::string_view(records.fullPath).substr(records.fileNamePos));
  Merger(records, aggregate).Merge();
  if (records.cutShort) LogMessage("Unexpected end of file - counted what was read.\n");
  return result;
}

LoadResult LoadStatsFile(const std::string& path, StatsAggregate& aggregate,
                         FileSystem& fileSystem) {
  FileRecords records;
  ReadFileRecords(path, fileSystem, &records);
  return MergeFileRecords(path, records, aggregate);
}

}  // namespace wus
