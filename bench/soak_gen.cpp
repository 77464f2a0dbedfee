// wus_soak_gen: writes a reproducible corpus of random WUS files for the
// soak test (bench/soak.sh), a share of them damaged the way files arrive
// from crashed servers and bad transfers: cut short, bytes flipped, a count
// blown up, a wrong magic or version.
//
//   wus_soak_gen --seed N --files K [--damaged PERCENT] DIR
//
// It prints one line per damage kind with its number of files.
#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <map>
#include <random>
#include <string>

#include "stats/wus_file.h"

namespace {

using Random = std::mt19937_64;

std::uint32_t Uniform(Random& random, std::uint32_t low, std::uint32_t high) {
  return std::uniform_int_distribution<std::uint32_t>(low, high)(random);
}

float Coordinate(Random& random) {
  return std::uniform_real_distribution<float>(-2000.0f, 2000.0f)(random);
}

const char* const kPlayers[] = {"Bob",      "alice",  "Zed",  "\xc8\xe2\xe0\xed",
                                "Sniper%s", "Mr.Dot", "Hawk", "Ghost",
                                "Viper",    "Nomad"};
const char* const kWeapons[][2] = {
    {"wpn_ak47", "AK-47"},         {"wpn_m4", "M4"},       {"wpn_awp", "AWP"},
    {"wpn_knife", "Knife"},        {"grenade", "Grenade"}, {"medkit", "Medkit"},
    {"wpn_deagle", "Desert Eagle"}};
const char* const kBones[] = {"bip01_head",  "bip01_spine", "bip01_pelvis",
                              "bip01_l_arm", "bip01_r_leg", ""};

wus::WusFile RandomMatch(Random& random) {
  wus::WusFile file;
  file.header = wus::MakeHeader(Uniform(random, 0, 2));
  std::uint32_t players = Uniform(random, 1, 12);
  for (std::uint32_t p = 0; p < players; ++p) {
    wus::WusPlayer& player = file.players.emplace_back();
    std::string name = kPlayers[Uniform(random, 0, std::size(kPlayers) - 1)];
    if (Uniform(random, 0, 3) == 0) name += std::to_string(Uniform(random, 0, 30000));
    if (Uniform(random, 0, 4) == 0) {
      for (char& c : name) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    }
    player.record.name = name;
    std::uint32_t team = Uniform(random, 0, 2);
    player.record.totalShots = Uniform(random, 0, 500);
    player.record.totalAliveTime[team] = Uniform(random, 0, 600000);
    player.record.totalMoneyRound[team] = Uniform(random, 0, 16000);
    player.record.numRespawned[team] = Uniform(random, 0, 30);
    file.header.totalPlayersAliveTime[team] += player.record.totalAliveTime[team];
    file.header.totalPlayersMoneyRound[team] += player.record.totalMoneyRound[team];
    file.header.totalNumRespawns[team] += player.record.numRespawned[team];
    std::uint32_t weapons = Uniform(random, 0, 6);
    for (std::uint32_t w = 0; w < weapons; ++w) {
      const auto& kind = kWeapons[Uniform(random, 0, std::size(kWeapons) - 1)];
      wus::WusWeapon& weapon = player.weapons.emplace_back();
      weapon.record.id = kind[0];
      weapon.record.displayName = kind[1];
      weapon.record.numBought = Uniform(random, 0, 5);
      weapon.record.numShots = Uniform(random, 0, 200);
      weapon.record.numKills = Uniform(random, 0, 10);
      weapon.record.buyBuckets[team][Uniform(random, 0, 33)] = weapon.record.numBought;
      std::uint32_t hits = Uniform(random, 0, 40);
      weapon.record.numHits = hits;
      for (std::uint32_t h = 0; h < hits; ++h) {
        wus::WusHitRecord& hit = weapon.hits.emplace_back();
        for (float& c : hit.pos1) c = Coordinate(random);
        for (float& c : hit.pos2) c = Coordinate(random);
        hit.lethal = Uniform(random, 0, 4) == 0 ? 1 : 0;
        hit.boneName = kBones[Uniform(random, 0, std::size(kBones) - 1)];
      }
    }
  }
  return file;
}

// Damages `bytes` in one of several ways; returns the kind of damage.
const char* Damage(Random& random, std::string& bytes) {
  switch (Uniform(random, 0, 4)) {
    case 0:
      bytes.resize(Uniform(random, 0, static_cast<std::uint32_t>(bytes.size())));
      return "cut";
    case 1:
      for (std::uint32_t n = Uniform(random, 1, 8); n > 0 && bytes.size() > 8; --n) {
        std::size_t at = Uniform(random, 8, static_cast<std::uint32_t>(bytes.size() - 1));
        bytes[at] = static_cast<char>(bytes[at] ^ (1 << Uniform(random, 0, 7)));
      }
      return "flipped";
    case 2: {
      // A count field (or whatever lies there) becomes 4000000000.
      std::size_t at = Uniform(random, 44, static_cast<std::uint32_t>(bytes.size()));
      bytes.replace(at, 4, "\x00\x28\x6b\xee", 4);
      return "huge-count";
    }
    case 3:
      bytes[Uniform(random, 0, 3)] ^= 0x20;
      return "bad-magic";
    default:
      bytes[4] = static_cast<char>(Uniform(random, 3, 255));
      return "bad-version";
  }
}

}  // namespace

int main(int argc, char** argv) {
  unsigned long long seed = 1, files = 0, damagedPercent = 10;
  const char* dir = nullptr;
  for (int i = 1; i < argc; ++i) {
    auto value = [&](unsigned long long* out) {
      if (i + 1 >= argc) return false;
      *out = std::strtoull(argv[++i], nullptr, 10);
      return true;
    };
    bool ok = true;
    if (std::strcmp(argv[i], "--seed") == 0) {
      ok = value(&seed);
    } else if (std::strcmp(argv[i], "--files") == 0) {
      ok = value(&files);
    } else if (std::strcmp(argv[i], "--damaged") == 0) {
      ok = value(&damagedPercent);
    } else if (dir == nullptr && argv[i][0] != '-') {
      dir = argv[i];
    } else {
      ok = false;
    }
    if (!ok) {
      dir = nullptr;
      break;
    }
  }
  if (dir == nullptr || files == 0) {
    std::fprintf(stderr, "usage: wus_soak_gen --seed N --files K [--damaged PERCENT] DIR\n");
    return 2;
  }
  std::filesystem::create_directories(dir);
  Random random(seed);
  std::map<std::string, int> kinds;
  for (unsigned long long i = 0; i < files; ++i) {
    std::string bytes = wus::EncodeWusFile(RandomMatch(random));
    const char* kind = Uniform(random, 0, 99) < damagedPercent ? Damage(random, bytes) : "intact";
    ++kinds[kind];
    char name[64];
    std::snprintf(name, sizeof name, "(Red)_(Blue)_%06llu.wus", i);
    std::ofstream out(std::filesystem::path(dir) / name, std::ios::binary);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (!out) {
      std::fprintf(stderr, "wus_soak_gen: cannot write %s\n", name);
      return 1;
    }
  }
  for (const auto& [kind, count] : kinds) std::printf("%s %d\n", kind.c_str(), count);
  return 0;
}
