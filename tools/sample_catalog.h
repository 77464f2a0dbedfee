// The material `wustool sample` builds its files from: weapons and items
// with their ranges and prices, the bones a hit can strike, the words of
// player names and the team names of file names. Texts that hold Cyrillic
// are returned as code page 1251 bytes, the way the files store them.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace wus::tool {

struct SampleWeapon {
  std::string id;                         // "wpn_ak74", or an item such as "medkit"
  std::string displayName;                // cp1251 bytes
  bool canHit;                            // false for items that never hit anyone
  float minRange, maxRange;               // hit distances
  std::uint32_t firstBucket, lastBucket;  // purchase buckets by price
  std::uint16_t hitCode;                  // m_wCode of its hits
  double lethalFactor;                    // scales the chance that a hit kills
};

struct SampleBone {
  const char* name;
  std::uint32_t weight;  // how often it is hit, relative to the others
  double lethalChance;
};

// The weapons and items, in a fixed order.
const std::vector<SampleWeapon>& SampleWeapons();
// An extra weapon for loadouts larger than the list: "wpn_proto_N".
SampleWeapon ExtraSampleWeapon(std::uint32_t n);

const std::vector<SampleBone>& SampleBones();
std::uint32_t TotalBoneWeight();

// Name parts; the Cyrillic ones as cp1251 bytes.
const std::vector<std::string>& LatinAdjectives();
const std::vector<std::string>& LatinNouns();
const std::vector<std::string>& CyrillicAdjectives();
const std::vector<std::string>& CyrillicNouns();
const std::vector<std::string>& ClanTags();

// Team names for the two tokens of a file name.
const std::vector<std::string>& TeamNames();

}  // namespace wus::tool
