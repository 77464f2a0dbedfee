// The inputs of the golden end-to-end report.
#include "tests/golden_inputs.h"

#include "tests/test_util.h"

namespace wus::test {
namespace {

WusPlayer MakePlayer(std::string name, std::uint32_t shots, RawTriple alive, RawTriple money,
                     RawTriple respawned) {
  WusPlayer player;
  player.record.name = std::move(name);
  player.record.totalShots = shots;
  player.record.totalAliveTime = alive;
  player.record.totalMoneyRound = money;
  player.record.numRespawned = respawned;
  return player;
}

WusWeapon Weapon(std::string id, std::string displayName, std::uint32_t bought, std::uint32_t shots,
                 std::uint32_t hits, std::uint32_t kills) {
  WusWeapon weapon = MakeWeapon(std::move(id), std::move(displayName));
  weapon.record.numBought = bought;
  weapon.record.auxCount = 7;
  weapon.record.numShots = shots;
  weapon.record.numHits = hits;
  weapon.record.numKills = kills;
  return weapon;
}

// Version 2, with bones: Bob, "Ann.X" and the Cyrillic "Иван".
WusFile FirstMatch() {
  WusFile file;
  file.header = MakeHeader(2);
  file.header.totalPlayersAliveTime = {90000, 12345, 0};
  file.header.totalPlayersMoneyRound = {1000, 4294967196u, 0};  // -100 in team 1
  file.header.totalNumRespawns = {4, 1, 0};

  WusPlayer bob = MakePlayer("Bob", 40, {60000, 0, 0}, {750, 0, 0}, {3, 0, 0});
  WusWeapon ak = Weapon("wpn_ak", "AK-74", 2, 20, 4, 2);
  ak.record.buyBuckets[0][0] = 2;
  ak.record.buyBuckets[1][2] = 1;
  ak.hits = {MakeHit({0, 0, 0}, {3, 4, 0}, true, "bip01_head", "Ann.X"),
             MakeHit({1, 1, 1}, {1, 1, 1.5f}, false, "bip01_spine", "Ann.X"),
             MakeHit({0, 0, 0}, {0, 2.5f, 0}, true, "bip01_head", "Ann.X"),
             MakeHit({0, 0, 0}, {0, 0, 0.9f}, false, "xbip01_foot", "Ann.X")};
  WusWeapon grenade = Weapon("grenade", "Grenade", 3, 0, 0, 0);
  grenade.record.buyBuckets[0][1] = 3;
  grenade.hits = {MakeHit({0, 0, 0}, {0, 6, 0}, true, "bip01_pelvis", "Ann.X")};
  bob.weapons = {ak, grenade};

  WusPlayer ann = MakePlayer("Ann.X", 10, {30000, 12345, 0}, {250, 4294967196u, 0}, {1, 1, 0});
  WusWeapon m4 = Weapon("wpn_m4", "M4.A1", 1, 10, 5, 1);
  m4.record.buyBuckets[1][0] = 1;
  m4.hits = {MakeHit({2, 2, 2}, {2, 2, 4}, false, "bip01_head", "Bob"),
             MakeHit({2, 2, 2}, {2, 2, 2.25f}, true, "bip01_spine", "Bob")};
  WusWeapon medkit = Weapon("medkit", "Med%s kit", 1, 0, 0, 0);
  medkit.record.buyBuckets[1][0] = 2;
  ann.weapons = {m4, medkit};

  WusPlayer ivan = MakePlayer(Cp1251("Иван"), 0, {0, 0, 0}, {0, 0, 0}, {0, 0, 0});
  ivan.weapons = {Weapon("wpn_ak", "AK-74", 0, 5, 0, 0)};

  file.players = {bob, ann, ivan};
  return file;
}

// Version 1, no bones: "BOB" merges into Bob; Zed, with a rifle bought in
// the last bucket of team 2.
WusFile SecondMatch() {
  WusFile file;
  file.header = MakeHeader(1);
  file.header.totalPlayersAliveTime = {1005, 0, 0};
  file.header.totalPlayersMoneyRound = {0, 0, 300};
  file.header.totalNumRespawns = {1, 0, 2};

  WusPlayer bob = MakePlayer("BOB", 5, {1005, 0, 0}, {0, 0, 0}, {0, 0, 0});
  WusWeapon ak = Weapon("wpn_ak", "AK-74", 1, 6, 2, 1);
  ak.hits = {MakeHit({0, 0, 0}, {0, 0, 1}, true), MakeHit({0, 0, 0}, {0, 3, 0}, false)};
  bob.weapons = {ak};

  WusPlayer zed = MakePlayer("Zed", 12, {0, 0, 0}, {0, 0, 300}, {0, 0, 2});
  WusWeapon rifle = Weapon("wpn_rifle", "Rifle", 1, 12, 3, 3);
  rifle.record.buyBuckets[2][33] = 1;
  rifle.hits = {MakeHit({0, 0, 0}, {0, 0, 2}, true)};
  zed.weapons = {rifle};

  file.players = {bob, zed};
  return file;
}

}  // namespace

std::vector<std::pair<std::string, std::string>> GoldenInputs() {
  return {
      {"(Alpha)_(Bravo)_1.wus", EncodeWusFile(FirstMatch())},
      {"not_a_match.wus", "WUS? no"},
      {"(Charlie)_(Delta)_2.wus", EncodeWusFile(SecondMatch())},
  };
}

}  // namespace wus::test
