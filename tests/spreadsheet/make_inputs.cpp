// Writes the WUS files of the spreadsheet import test into one folder: two
// matches whose merged report has data in every section (decimal fractions,
// negative numbers, Cyrillic names, names with "." and bones of both file
// versions), so a spreadsheet import is checked on every kind of cell.
//
// Names are chosen so that no spreadsheet takes them for numbers: a name
// such as 007, 1e5 or "1 000" would become a numeric cell on import.
#include <cstdio>
#include <fstream>
#include <string>
#include <utility>
#include <vector>

#include "stats/wus_file.h"

namespace {

using wus::WusFile;
using wus::WusHitRecord;
using wus::WusPlayer;
using wus::WusWeapon;

// Cyrillic names in code page 1251, the way the game writes them.
const char kHedgehog[] = "\xA8\xE6\xE8\xEA";     // "Ёжик"
const char kKnife[] = "\xCD\xEE\xE6";            // "Нож"
const char kShotgun[] = "\xC4\xF0\xEE\xE1\xFC";  // "Дробь"

wus::RawTriple Triple(std::uint32_t dm, std::uint32_t green, std::uint32_t blue) {
  return {dm, green, blue};
}

// A hit `distance` units away along x, on `bone` (ignored by old versions).
WusHitRecord Hit(float distance, const char* bone, bool lethal) {
  WusHitRecord hit;
  hit.pos1 = {1.0f, 2.0f, 3.0f};
  hit.pos2 = {1.0f + distance, 2.0f, 3.0f};
  hit.lethal = lethal ? 1 : 0;
  hit.text = "hit";
  hit.boneName = bone;
  return hit;
}

struct WeaponCounts {
  std::uint32_t bought, shots, hits, kills;
};

WusWeapon Weapon(const char* id, const char* displayName, WeaponCounts counts,
                 std::vector<WusHitRecord> hits = {}) {
  WusWeapon weapon;
  weapon.record.id = id;
  weapon.record.displayName = displayName;
  weapon.record.numBought = counts.bought;
  weapon.record.numShots = counts.shots;
  weapon.record.numHits = counts.hits;
  weapon.record.numKills = counts.kills;
  weapon.hits = std::move(hits);
  return weapon;
}

// `money` is stored as two's complement, so a negative amount is allowed.
WusPlayer Player(const char* name, std::uint32_t shots, wus::RawTriple aliveTime,
                 wus::TeamMoney money, wus::RawTriple respawns, std::vector<WusWeapon> weapons) {
  WusPlayer player;
  player.record.name = name;
  player.record.totalShots = shots;
  player.record.totalAliveTime = aliveTime;
  for (std::size_t team = 0; team < wus::kNumTeams; ++team) {
    player.record.totalMoneyRound[team] = static_cast<std::uint32_t>(money[team]);
  }
  player.record.numRespawned = respawns;
  player.weapons = std::move(weapons);
  return player;
}

// Version 2: hits carry bone names; purchases in all three teams.
WusFile FirstMatch() {
  WusFile file;
  file.header = wus::MakeHeader(2);
  file.header.totalPlayersAliveTime = Triple(190000, 12345, 61000);
  file.header.totalPlayersMoneyRound = Triple(1250, static_cast<std::uint32_t>(-300), 800);
  file.header.totalNumRespawns = Triple(8, 3, 5);

  WusWeapon ak = Weapon("wpn_ak74", "AK-74", {3, 30, 12, 3},
                        {Hit(0.3f, "bip01_head", true), Hit(2.5f, "bip01_spine", false),
                         Hit(7.9f, "bip01_l_hand", false), Hit(11.2f, "bip01_head", true)});
  ak.record.buyBuckets[0][0] = 1;
  ak.record.buyBuckets[1][0] = 2;
  ak.record.buyBuckets[1][2] = 1;
  WusWeapon vest = Weapon("item_kevlar", "Kevlar.Vest", {2, 0, 0, 0});
  vest.record.buyBuckets[0][1] = 2;
  vest.record.buyBuckets[2][5] = 1;
  WusWeapon knife = Weapon("wpn_knife", kKnife, {1, 5, 4, 2},
                           {Hit(0.9f, "bip01_head", true), Hit(1.0f, "bip01_l_hand", false),
                            Hit(1.2f, "bip01_spine", true), Hit(0.5f, "pelvis", false)});
  knife.record.buyBuckets[2][0] = 1;
  WusWeapon deagle = Weapon("wpn_deagle", "Desert Eagle .50", {4, 9, 3, 1},
                            {Hit(4.4f, "bip01_spine", false), Hit(15.6f, "bip01_head", true)});
  deagle.record.buyBuckets[0][3] = 4;

  file.players.push_back(Player("Alpha_Wolf", 40, Triple(90000, 12345, 0), {250, -100, 0},
                                Triple(4, 1, 0), {std::move(ak), std::move(vest)}));
  file.players.push_back(Player(kHedgehog, 12, Triple(100000, 0, 30500), {1000, 0, 300},
                                Triple(3, 0, 2), {std::move(knife)}));
  file.players.push_back(Player("Mr.Pink", 9, Triple(0, 0, 30500), {0, -200, 500}, Triple(1, 2, 3),
                                {std::move(deagle)}));
  return file;
}

// Version 1: no bone names (these hits raise only the Total cells); the
// first player comes back in another letter case and one player is new.
WusFile SecondMatch() {
  WusFile file;
  file.header = wus::MakeHeader(1);
  file.header.totalPlayersAliveTime = Triple(45000, 0, 20000);
  file.header.totalPlayersMoneyRound = Triple(400, 0, 100);
  file.header.totalNumRespawns = Triple(3, 0, 1);

  WusWeapon ak = Weapon("wpn_ak74", "AK-74", {1, 10, 7, 2}, {Hit(3.5f, "", true)});
  ak.record.buyBuckets[0][0] = 1;
  WusWeapon shotgun =
      Weapon("wpn_shotgun", kShotgun, {2, 6, 3, 0}, {Hit(1.5f, "", false), Hit(2.0f, "", false)});
  shotgun.record.buyBuckets[2][1] = 2;

  file.players.push_back(
      Player("ALPHA_WOLF", 10, Triple(45000, 0, 0), {400, 0, 0}, Triple(3, 0, 0), {std::move(ak)}));
  file.players.push_back(
      Player("Dr.No", 6, Triple(0, 0, 20000), {0, 0, 100}, Triple(0, 0, 1), {std::move(shotgun)}));
  return file;
}

bool WriteFile(const std::string& path, const std::string& bytes) {
  std::ofstream out(path, std::ios::binary);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  return static_cast<bool>(out);
}

}  // namespace

// Usage: make_inputs FOLDER. Prints the path of each file written, in the
// order they are to be given to wusreport; returns 0 iff all were written.
int main(int argc, char** argv) {
  if (argc != 2) {
    std::fputs("usage: make_inputs FOLDER\n", stderr);
    return 2;
  }
  const std::string folder = argv[1];
  const std::pair<const char*, WusFile> files[] = {
      {"(Alpha)_(Bravo)_1.wus", FirstMatch()},
      {"(Alpha)_(Bravo)_2.wus", SecondMatch()},
  };
  for (const auto& [name, file] : files) {
    const std::string path = folder + "/" + name;
    if (!WriteFile(path, wus::EncodeWusFile(file))) {
      std::fprintf(stderr, "make_inputs: cannot write %s\n", path.c_str());
      return 1;
    }
    std::printf("%s\n", path.c_str());
  }
  return 0;
}
