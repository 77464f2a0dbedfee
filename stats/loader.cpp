// Loading and merging one WUS file.
#include "stats/loader.h"

#include "platform/platform.h"
#include "stats/byte_reader.h"
#include "stats/name_tokens.h"
#include "stats/wus_records.h"
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

// Reads the file's body after magic and version. Returns false iff a record
// was skipped because it would begin at or past the end of the input.
class BodyReader {
 public:
  BodyReader(ByteReader& in, StatsAggregate& aggregate, std::uint32_t version)
      : in_(in), aggregate_(aggregate), version_(version) {}

  bool Read() {
    AddTriple(aggregate_.m_dwTotalPlayersAliveTime, ReadTriple(in_));
    LogTriple("\tm_dwTotalPlayersAliveTime - ", aggregate_.m_dwTotalPlayersAliveTime);
    AddTriple(aggregate_.m_dwTotalPlayersMoneyRound, ReadTriple(in_));
    LogTriple("\tm_dwTotalPlayersMoneyRound - ", aggregate_.m_dwTotalPlayersMoneyRound);
    AddTriple(aggregate_.m_dwTotalNumRespawns, ReadTriple(in_));
    LogTriple("\tm_dwTotalNumRespawns - ", aggregate_.m_dwTotalNumRespawns);
    std::uint32_t numPlayers = in_.ReadU32();
    LogNumber("\tNumPlayers - ", AsSigned(numPlayers));
    for (std::uint32_t i = 0; i < numPlayers; ++i) {
      if (in_.AtEnd() || !ReadPlayer()) return false;
    }
    return true;
  }

 private:
  bool ReadPlayer() {
    ReadPlayerRecord(in_, &player_);
    LogName("\t\tPlayer : ", player_.name);
    PlayerStats& p = aggregate_.FindOrAddPlayer(player_.name);
    AddTo(p.TotalShots, player_.totalShots);
    LogNumber("\t\t\t TotalShots - ", AsSigned(p.TotalShots));
    AddTriple(p.m_dwTotalAliveTime, player_.totalAliveTime);
    LogTriple("\t\t\t m_dwTotalAliveTime - ", p.m_dwTotalAliveTime);
    AddTriple(p.m_dwTotalMoneyRound, player_.totalMoneyRound);
    LogTriple("\t\t\t m_dwTotalMoneyRound - ", p.m_dwTotalMoneyRound);
    AddTriple(p.m_dwNumRespawned, player_.numRespawned);
    LogTriple("\t\t\t m_dwNumRespawned - ", p.m_dwNumRespawned);
    LogNumber("\t\t\t NumWeapons - ", AsSigned(player_.numWeapons));
    bool complete = true;
    for (std::uint32_t i = 0; i < player_.numWeapons && complete; ++i) {
      complete = !in_.AtEnd() && ReadWeapon(p);
    }
    return complete;
  }

  bool ReadWeapon(PlayerStats& p) {
    ReadWeaponRecord(in_, &weapon_);
    LogName("\t\t\t\t Weapon : ", weapon_.id);
    const std::size_t weaponsBefore = p.m_Weapons.size();
    WeaponStats& w = p.FindOrAddWeapon(weapon_.id, weapon_.displayName);
    // The list of weapon names gains each weapon's identifier when the
    // weapon is first added to a player: a player's weapons keep their
    // order and the list only grows, so this is the order that offering all
    // of a player's weapons after each of its records would give, at the
    // cost of one offer per weapon instead of one per weapon and record.
    if (p.m_Weapons.size() != weaponsBefore) aggregate_.AddWeaponName(w.m_Name);
    AddTo(w.m_dwNumBought, weapon_.numBought);
    AddTo(w.m_dwAuxCount, weapon_.auxCount);
    AddTo(w.m_dwNumShots, weapon_.numShots);
    AddTo(w.m_dwNumHits, weapon_.numHits);
    AddTo(w.m_dwNumKills, weapon_.numKills);
    for (std::size_t team = 0; team < kNumTeams; ++team) {
      for (std::size_t k = 0; k < kNumBuyBuckets; ++k)
        AddTo(w.m_dwBuyBuckets[team][k], weapon_.buyBuckets[team][k]);
    }
    LogNumber("\t\t\t\t\t dwNumHits : ", AsSigned(weapon_.numHitRecords));
    w.m_Hits.ExpectMore(weapon_.numHitRecords);
    for (std::uint32_t i = 0; i < weapon_.numHitRecords; ++i) {
      if (in_.AtEnd()) return false;
      w.m_Hits.push_back(ReadHit());
    }
    return true;
  }

  HitRecord ReadHit() {
    HitFixedPart fixed = ReadHitFixedPart(in_);
    HitRecord hit;
    hit.m_Pos1 = fixed.pos1;
    hit.m_Pos2 = fixed.pos2;
    hit.m_wCode = fixed.code;
    hit.m_bLethal = fixed.lethal;
    hit.m_Text = aggregate_.m_HitTexts.Intern(in_.ReadText());
    hit.m_BoneName = version_ >= kFirstVersionWithBoneNames
                         ? aggregate_.m_HitTexts.Intern(in_.ReadText())
                         : NamePool::kEmpty;
    return hit;
  }

  ByteReader& in_;
  StatsAggregate& aggregate_;
  std::uint32_t version_;
  WusPlayerRecord player_;  // reused, so that reading allocates little
  WusWeaponRecord weapon_;
};

}  // namespace

LoadResult LoadStatsFile(const std::string& path, StatsAggregate& aggregate, LoaderState& state,
                         FileSystem& fileSystem) {
  LoadResult result;
  LogMessage("Processing '%s'\n", path.c_str());
  std::unique_ptr<SequentialFile> file = fileSystem.OpenForRead(path, &result.error);
  if (!file) {
    LogMessage("Cannot open file: %s - Skipping!\n", result.error.c_str());
    return result;
  }
  ByteReader in(file.get());
  if (in.ReadU32() != kWusMagic) {
    LogMessage("Not a proper WUS file.\n");
    result.status = LoadStatus::kNotWus;
    return result;
  }
  result.version = state.g_FileVersion = in.ReadU32();
  if (!IsSupportedVersion(state.g_FileVersion)) {
    LogMessage("Strange file version - Skipping!\n");
    result.status = LoadStatus::kUnknownVersion;
    return result;
  }

  result.status = LoadStatus::kAccepted;
  FullPath full = GetFullPath(path);
  std::string_view fileName = std::string_view(full.path).substr(full.fileNamePos);
  aggregate.AddUsedFile(fileName);
  if (state.g_NameToken1.empty() && state.g_NameToken2.empty()) {
    TakeNameTokens(fileName, &state.g_NameToken1, &state.g_NameToken2);
    state.g_OutputDir = full.path.substr(0, full.fileNamePos);
  }

  bool complete = BodyReader(in, aggregate, state.g_FileVersion).Read();
  if (!complete || in.ranPastEnd()) {
    LogMessage("Unexpected end of file - counted what was read.\n");
    result.cutShort = true;
  }
  result.fullPath = std::move(full.path);
  result.fileNamePos = full.fileNamePos;
  return result;
}

}  // namespace wus
