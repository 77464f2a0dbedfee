// The seed inputs of the fuzz targets, built with EncodeWusFile.
#include "tests/fuzz/fuzz_seeds.h"

#include <cmath>
#include <limits>

#include "stats/wus_file.h"
#include "tests/fuzz/fuzz_checks.h"

namespace wus::fuzz {
namespace {

WusHitRecord Hit(std::array<float, 3> from, std::array<float, 3> to, bool lethal, std::string bone,
                 std::string text = "") {
  WusHitRecord hit;
  hit.pos1 = from;
  hit.pos2 = to;
  hit.lethal = lethal ? 1 : 0;
  hit.code = 7;
  hit.boneName = std::move(bone);
  hit.text = std::move(text);
  return hit;
}

WusWeapon Weapon(std::string id, std::string displayName, std::uint32_t bought,
                 std::uint32_t kills) {
  WusWeapon weapon;
  weapon.record.id = std::move(id);
  weapon.record.displayName = std::move(displayName);
  weapon.record.numBought = bought;
  weapon.record.numShots = 40 * bought;
  weapon.record.numHits = 9 * bought;
  weapon.record.numKills = kills;
  weapon.record.buyBuckets[bought % 3][bought % 34] = bought;
  return weapon;
}

WusPlayer Player(std::string name, std::uint32_t team, std::vector<WusWeapon> weapons) {
  WusPlayer player;
  player.record.name = std::move(name);
  player.record.totalShots = 120;
  player.record.totalAliveTime[team] = 95000;
  player.record.totalMoneyRound[team] = 3100;
  player.record.numRespawned[team] = 4;
  player.weapons = std::move(weapons);
  return player;
}

// A small match: players that fold to one name, a weapon known under two
// identifiers, items without "wpn_", hits at several ranges and bones.
WusFile Match(std::uint32_t version) {
  WusFile file;
  file.header = MakeHeader(version);
  file.header.totalPlayersAliveTime = {190000, 95000, 0};
  file.header.totalPlayersMoneyRound = {6200, static_cast<std::uint32_t>(-400), 0};
  file.header.totalNumRespawns = {8, 4, 0};
  WusWeapon ak = Weapon("wpn_ak47", "AK-47", 3, 2);
  ak.hits = {Hit({0, 0, 0}, {3, 4, 0}, true, "bip01_head"),
             Hit({10, 10, 0}, {410, 10, 30}, false, "bip01_spine", "ricochet"),
             Hit({-5, 2, 1}, {-5, 2, 1}, false, "bip01_l_arm")};
  WusWeapon m4 = Weapon("wpn_m4", "M4 5.56%s", 1, 0);
  m4.hits = {Hit({1, 1, 1}, {1200, 1, 1}, true, "bip01_head")};
  WusWeapon alias = Weapon("wpn_ak47_gold", "AK-47", 1, 1);
  alias.hits = {Hit({0, 0, 0}, {0, 60, 0}, true, "bip01_neck")};
  file.players = {
      Player("Bob", 0, {ak, m4, Weapon("grenade", "Grenade", 2, 0)}),
      Player("\xc8\xe2\xe0\xed", 1, {Weapon("medkit", "Medkit", 5, 0), alias}),
      Player("BOB", 0, {m4, Weapon("wpn_knife", "wpn_knife", 0, 1)}),
  };
  return file;
}

// Hits with every kind of float: NaN, infinities, denormals, huge, -0.
WusFile Floats() {
  const float inf = std::numeric_limits<float>::infinity();
  const float nan = std::numeric_limits<float>::quiet_NaN();
  const float denormal = std::numeric_limits<float>::denorm_min();
  const float huge = std::numeric_limits<float>::max();
  WusFile file;
  file.header = MakeHeader(2);
  WusWeapon weapon = Weapon("wpn_odd", "Odd", 1, 1);
  weapon.hits = {Hit({nan, 0, 0}, {0, 0, 0}, true, "bip01_head"),
                 Hit({0, 0, 0}, {inf, -inf, 0}, false, "bip01_head"),
                 Hit({-1e38f, 0, 0}, {1e38f, 1e38f, 1e38f}, true, "bip01_spine"),
                 Hit({huge, huge, huge}, {-huge, -huge, -huge}, false, "bip01_spine"),
                 Hit({denormal, -denormal, 0}, {-0.0f, 0, denormal}, true, ""),
                 Hit({0, 0, 0}, {0, 0, 2.5e9f}, false, "bip01_r_leg")};
  file.players = {Player("Floaty", 2, {weapon})};
  return file;
}

// The longest texts, and texts of every byte but zero.
WusFile Names() {
  std::string allBytes;
  for (int c = 1; c < 256; ++c) allBytes.push_back(static_cast<char>(c));
  WusFile file;
  file.header = MakeHeader(2);
  WusWeapon weapon = Weapon("wpn_" + allBytes, std::string(1100, 'd'), 1, 1);
  weapon.hits = {Hit({0, 0, 0}, {1, 1, 1}, true, allBytes, std::string(1030, 't'))};
  file.players = {Player(std::string(1100, 'n'), 0, {weapon}), Player(allBytes, 1, {})};
  return file;
}

std::string Bytes(const WusFile& file) { return EncodeWusFile(file); }

}  // namespace

std::vector<Seed> LoadSeeds() {
  std::string match2 = Bytes(Match(2));
  std::string huge = Bytes(WusFile{MakeHeader(2), {}});
  huge.replace(44, 4, "\x00\x28\x6b\xee", 4);  // NumPlayers 4000000000, nothing behind
  std::string version3 = match2;
  version3[4] = 3;
  return {
      {"empty.wus", Bytes(WusFile{MakeHeader(0), {}})},
      {"match-v0.wus", Bytes(Match(0))},
      {"match-v1.wus", Bytes(Match(1))},
      {"match-v2.wus", match2},
      {"floats.wus", Bytes(Floats())},
      {"names.wus", Bytes(Names())},
      {"cut-in-weapon.wus", match2.substr(0, 700)},
      {"cut-in-hit.wus", match2.substr(0, match2.size() - 5)},
      {"huge-count.wus", huge},
      {"version3.wus", version3},
      {"not-wus.wus", "WUS " + match2.substr(4, 60)},
  };
}

std::vector<Seed> MergeSeeds() {
  std::vector<Seed> load = LoadSeeds();
  auto bytes = [&load](const std::string& name) {
    for (const Seed& seed : load) {
      if (seed.name == name) return seed.bytes;
    }
    return std::string();
  };
  return {
      {"match-v2+v1.merge", JoinMergeInput({bytes("match-v2.wus"), bytes("match-v1.wus")})},
      {"three.merge",
       JoinMergeInput({bytes("match-v0.wus"), bytes("floats.wus"), bytes("names.wus")})},
      {"rejected-first.merge",
       JoinMergeInput({bytes("not-wus.wus"), bytes("match-v2.wus"), bytes("cut-in-hit.wus")})},
      {"twice.merge", JoinMergeInput({bytes("match-v2.wus"), bytes("match-v2.wus")})},
  };
}

}  // namespace wus::fuzz
