// How `wustool sample` makes one file: a match of some players, each with a
// loadout of weapons and items, hits at plausible distances on "bip01_"
// bones, purchases in price buckets, and header totals that are the sums of
// the players' figures.
#include <cmath>
#include <unordered_set>

#include "text/format.h"
#include "tools/sample.h"
#include "tools/sample_catalog.h"

namespace wus::tool {
namespace {

// Stream numbers of the random sources, kept apart.
constexpr std::uint64_t kPoolStream = 1;
constexpr std::uint64_t kRoundStreams = std::uint64_t{1} << 40;
constexpr std::uint64_t kFileStreams = std::uint64_t{2} << 40;

const std::string& PickFrom(SampleRandom& rng, const std::vector<std::string>& list) {
  return list[rng.Below(static_cast<std::uint32_t>(list.size()))];
}

std::string AsciiLower(std::string text) {
  for (char& c : text) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  return text;
}

std::string AsciiUpper(std::string text) {
  for (char& c : text) {
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  }
  return text;
}

// Returns the parts joined. (Built by appending: GCC 12 warns falsely about
// a literal added to a std::string at -O3.)
std::string Join(std::initializer_list<std::string_view> parts) {
  std::string text;
  for (std::string_view part : parts) text.append(part);
  return text;
}

// A player name. Every form begins with a letter or a clan tag, so that no
// name reads as a number in a spreadsheet.
std::string MakePlayerName(SampleRandom& rng) {
  switch (rng.Below(16)) {
    case 0:
    case 1:
    case 2:
    case 3:
    case 4:
      return Join({PickFrom(rng, LatinAdjectives()), PickFrom(rng, LatinNouns())});
    case 5:
    case 6:
      return Join({PickFrom(rng, LatinNouns()), std::to_string(rng.Between(1, 9999))});
    case 7:
      return AsciiLower(Join({PickFrom(rng, LatinAdjectives()), "_", PickFrom(rng, LatinNouns())}));
    case 8:
      return Join({"xX", PickFrom(rng, LatinNouns()), "Xx"});
    case 9:
      return Join({PickFrom(rng, ClanTags()), PickFrom(rng, LatinAdjectives()),
                   PickFrom(rng, LatinNouns())});
    case 10:
    case 11:
    case 12:
      return Join({PickFrom(rng, CyrillicAdjectives()), PickFrom(rng, CyrillicNouns())});
    case 13:
      return Join({PickFrom(rng, CyrillicNouns()), "_", std::to_string(rng.Between(1, 99))});
    case 14:
      return Join({PickFrom(rng, LatinAdjectives()), PickFrom(rng, LatinNouns()),
                   std::to_string(rng.Between(10, 99))});
    default:
      return Join({PickFrom(rng, ClanTags()), PickFrom(rng, CyrillicNouns())});
  }
}

// A coordinate rounded to hundredths, as a float.
float Rounded(double value) { return static_cast<float>(std::round(value * 100.0) / 100.0); }

}  // namespace

SampleCorpus::SampleCorpus(const SampleOptions& options)
    : options_(options),
      poolSize_(options.distinctPlayers != 0 ? options.distinctPlayers : 2 * options.players) {
  BuildPool();
  lastFileUse_.assign(poolSize_, 0);
}

void SampleCorpus::BuildPool() {
  SampleRandom rng(options_.seed, kPoolStream);
  std::unordered_set<std::string> folded;
  pool_.reserve(poolSize_);
  for (std::uint32_t i = 0; i < poolSize_; ++i) {
    std::string name = MakePlayerName(rng);
    for (int tries = 1; !folded.insert(AsciiLower(name)).second; ++tries) {
      name = MakePlayerName(rng);
      if (tries > 8) name = Join({name, "_", std::to_string(i)});
    }
    pool_.push_back(std::move(name));
  }
}

void SampleCorpus::PickPlayers(std::uint32_t fileIndex, SampleRandom& rng,
                               std::vector<std::string>* names) {
  names->clear();
  while (names->size() < options_.players) {
    if (roundPos_ == round_.size()) {
      // A new round: the whole pool in a fresh order.
      SampleRandom order(options_.seed, kRoundStreams + roundNumber_++);
      round_.resize(poolSize_);
      for (std::uint32_t i = 0; i < poolSize_; ++i) round_[i] = i;
      for (std::uint32_t i = poolSize_; i > 1; --i)
        std::swap(round_[i - 1], round_[order.Below(i)]);
      roundPos_ = 0;
    }
    std::uint32_t index = round_[roundPos_++];
    if (lastFileUse_[index] == fileIndex + 1) continue;  // already in this file
    lastFileUse_[index] = fileIndex + 1;
    // Now and then a player types the name in another case; the report
    // still counts one player.
    std::uint32_t spelling = rng.Below(16);
    names->push_back(spelling == 0   ? AsciiLower(pool_[index])
                     : spelling == 1 ? AsciiUpper(pool_[index])
                                     : pool_[index]);
  }
}

bool SampleCorpus::Next(WusFile* file, std::string* name) {
  if (nextFile_ >= options_.files) return false;
  std::uint32_t fileIndex = nextFile_++;
  SampleRandom rng(options_.seed, kFileStreams + fileIndex);

  const auto& teams = TeamNames();
  std::uint32_t first = rng.Below(static_cast<std::uint32_t>(teams.size()));
  std::uint32_t second = (first + 1 + rng.Below(static_cast<std::uint32_t>(teams.size() - 1))) %
                         static_cast<std::uint32_t>(teams.size());
  *name =
      StringPrintf("(%s)_(%s)_%u.wus", teams[first].c_str(), teams[second].c_str(), fileIndex + 1);

  std::vector<std::string> names;
  PickPlayers(fileIndex, rng, &names);
  // A quarter of the matches are deathmatch (team 0); the others split the
  // players between the green (1) and the blue (2) team.
  bool deathmatch = rng.Chance(0.25);
  std::uint32_t greens = rng.Below(2);

  *file = WusFile();
  file->header = MakeHeader(options_.version);
  for (std::size_t i = 0; i < names.size(); ++i) {
    std::size_t team = deathmatch ? 0 : 1 + ((i + greens) % 2);
    MakePlayer(rng, names, i, team, file);
  }
  file->header.numPlayers = static_cast<std::uint32_t>(file->players.size());
  return true;
}

void SampleCorpus::MakePlayer(SampleRandom& rng, const std::vector<std::string>& names,
                              std::size_t index, std::size_t team, WusFile* file) {
  WusPlayer& player = file->players.emplace_back();
  WusPlayerRecord& r = player.record;
  r.name = names[index];
  std::uint32_t respawns = rng.Between(1, 12);
  r.numRespawned[team] = respawns;
  r.totalAliveTime[team] = respawns * rng.Between(20000, 120000);
  // Money can go negative: penalties for team kills.
  r.totalMoneyRound[team] = respawns * rng.Below(3000) - rng.Below(400);

  // The loadout: `weapons` distinct entries of the catalogue, with extra
  // prototypes when the catalogue is too short.
  const auto& catalog = SampleWeapons();
  auto choices =
      static_cast<std::uint32_t>(std::max<std::size_t>(catalog.size(), options_.weapons));
  loadout_.resize(choices);
  for (std::uint32_t i = 0; i < choices; ++i) loadout_[i] = i;
  player.weapons.resize(options_.weapons);
  for (std::uint32_t i = 0; i < options_.weapons; ++i) {
    std::swap(loadout_[i], loadout_[i + rng.Below(choices - i)]);
    MakeWeapon(rng, names, index, team, loadout_[i], &player.weapons[i]);
    r.totalShots += player.weapons[i].record.numShots;
  }
  r.numWeapons = options_.weapons;

  WusHeader& h = file->header;
  h.totalPlayersAliveTime[team] += r.totalAliveTime[team];
  h.totalPlayersMoneyRound[team] += r.totalMoneyRound[team];
  h.totalNumRespawns[team] += r.numRespawned[team];
}

void SampleCorpus::MakeWeapon(SampleRandom& rng, const std::vector<std::string>& names,
                              std::size_t self, std::size_t team, std::uint32_t catalogIndex,
                              WusWeapon* weapon) {
  const auto& catalog = SampleWeapons();
  SampleWeapon extra;
  if (catalogIndex >= catalog.size()) {
    extra = ExtraSampleWeapon(catalogIndex - static_cast<std::uint32_t>(catalog.size()) + 1);
  }
  const SampleWeapon& w = catalogIndex < catalog.size() ? catalog[catalogIndex] : extra;
  WusWeaponRecord& r = weapon->record;
  r.id = w.id;
  r.displayName = w.displayName;
  r.auxCount = rng.Below(3);
  for (std::uint32_t buys = rng.Below(4); buys > 0; --buys) {
    ++r.buyBuckets[team][rng.Between(w.firstBucket, w.lastBucket)];
    ++r.numBought;
  }

  std::uint32_t numHits =
      w.canHit && options_.hits > 0 ? options_.hits / 2 + rng.Below(options_.hits + 1) : 0;
  weapon->hits.resize(numHits);
  const auto& bones = SampleBones();
  for (WusHitRecord& hit : weapon->hits) {
    double x = rng.Unit() * 1600 - 800, y = rng.Unit() * 1600 - 800, z = rng.Unit() * 40;
    double u = rng.Unit();
    double distance = w.minRange + (w.maxRange - w.minRange) * u * u;  // mostly short
    double dx, dy, planar;
    do {
      dx = rng.Unit() * 2 - 1;
      dy = rng.Unit() * 2 - 1;
      planar = dx * dx + dy * dy;
    } while (planar > 1 || planar < 1e-4);
    double dz = (rng.Unit() - 0.5) * 0.3;
    double scale = distance / std::sqrt(planar + dz * dz);
    hit.pos1 = {Rounded(x), Rounded(y), Rounded(z)};
    hit.pos2 = {Rounded(x + dx * scale), Rounded(y + dy * scale), Rounded(z + dz * scale)};

    std::uint32_t pick = rng.Below(TotalBoneWeight());
    std::size_t bone = 0;
    while (pick >= bones[bone].weight) pick -= bones[bone++].weight;
    hit.code = w.hitCode;
    hit.lethal = rng.Chance(std::min(0.95, bones[bone].lethalChance * w.lethalFactor)) ? 1 : 0;
    if (names.size() > 1) {
      std::size_t victim = rng.Below(static_cast<std::uint32_t>(names.size() - 1));
      hit.text = names[victim >= self ? victim + 1 : victim];
    }
    if (options_.version >= kFirstVersionWithBoneNames) hit.boneName = bones[bone].name;
    r.numKills += hit.lethal;
  }
  r.numHits = numHits;
  r.numShots = w.canHit ? numHits + rng.Below(2 * numHits + 5) : 0;
  r.numHitRecords = numHits;
}

}  // namespace wus::tool
