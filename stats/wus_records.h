// The WUS file format, record by record (docs/wus-format.md has the byte
// layout). These reads are shared by the loader, which sums the records into
// the aggregate, and by wustool, which shows them; both decide for themselves
// what to do at the end of the input.
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "stats/byte_reader.h"
#include "stats/model.h"

namespace wus {

inline constexpr std::uint32_t kWusMagic = 0x53555720;  // the bytes " WUS"
inline constexpr std::uint32_t kMaxWusVersion = 2;
inline constexpr std::uint32_t kFirstVersionWithBoneNames = 2;

// The layout of the records, in one place for the reader, the writer and
// wustool's dump: the bytes of each record besides its texts and their zero
// bytes. The header is all fixed; a player record is its name and 44 bytes,
// then its weapons; a weapon record is its two texts and 432 bytes, then its
// hits; a hit record is 27 bytes and its one or two texts.
inline constexpr std::size_t kHeaderBytes = 48;
inline constexpr std::size_t kPlayerFixedBytes = 4 + 3 * 12 + 4;  // shots .. NumWeapons
inline constexpr std::size_t kWeaponFixedBytes = 5 * 4 + kNumTeams * kNumBuyBuckets * 4 + 4;
inline constexpr std::size_t kHitFixedBytes = 2 * 12 + 2 + 1;  // points, code, lethal
static_assert(kPlayerFixedBytes == 44 && kWeaponFixedBytes == 432 && kHitFixedBytes == 27);

// Money triples are stored as their two's complement bits.
using RawTriple = std::array<std::uint32_t, kNumTeams>;

struct WusHeader {
  std::uint32_t magic = 0;
  std::uint32_t version = 0;
  RawTriple totalPlayersAliveTime{};
  RawTriple totalPlayersMoneyRound{};
  RawTriple totalNumRespawns{};
  std::uint32_t numPlayers = 0;
};

struct WusPlayerRecord {
  std::string name;
  std::uint32_t totalShots = 0;
  RawTriple totalAliveTime{};
  RawTriple totalMoneyRound{};
  RawTriple numRespawned{};
  std::uint32_t numWeapons = 0;
};

struct WusWeaponRecord {
  std::string id;
  std::string displayName;
  std::uint32_t numBought = 0;
  std::uint32_t auxCount = 0;
  std::uint32_t numShots = 0;
  std::uint32_t numHits = 0;
  std::uint32_t numKills = 0;
  BuyBuckets buyBuckets{};
  std::uint32_t numHitRecords = 0;
};

struct WusHitRecord {
  std::array<float, 3> pos1{};
  std::array<float, 3> pos2{};
  std::uint16_t code = 0;
  std::uint8_t lethal = 0;
  std::string text;
  std::string boneName;  // empty before version 2
};

// The part of a hit record before its texts: two points, the code and the
// lethal flag, kHitFixedBytes bytes.
struct HitFixedPart {
  std::array<float, 3> pos1;
  std::array<float, 3> pos2;
  std::uint16_t code;
  std::uint8_t lethal;
};

// Decodes the fixed part of a hit record from its kHitFixedBytes bytes.
inline HitFixedPart DecodeHitFixedPart(const unsigned char* raw) {
  HitFixedPart hit;
  for (std::size_t i = 0; i < 3; ++i) {
    hit.pos1[i] = DecodeFloat(raw + 4 * i);
    hit.pos2[i] = DecodeFloat(raw + 12 + 4 * i);
  }
  hit.code = DecodeU16(raw + 24);
  hit.lethal = raw[26];
  return hit;
}

// Reads the fixed part of a hit record in one go.
inline HitFixedPart ReadHitFixedPart(ByteReader& in) {
  unsigned char raw[kHitFixedBytes];
  in.ReadBytes(raw, sizeof raw);
  return DecodeHitFixedPart(raw);
}

// Returns true iff `version` is one this reader understands.
inline bool IsSupportedVersion(std::uint32_t version) { return version <= kMaxWusVersion; }

RawTriple ReadTriple(ByteReader& in);
// Each reads the whole record, counts included, but none of the records that
// follow it (a player's weapons, a weapon's hits). Texts keep their first
// `maxTextLength` bytes: the model's limit for the loader, kWholeText for a
// reader that shows the file as it is.
void ReadPlayerRecord(ByteReader& in, WusPlayerRecord* player,
                      std::size_t maxTextLength = kMaxNameLength);
void ReadWeaponRecord(ByteReader& in, WusWeaponRecord* weapon,
                      std::size_t maxTextLength = kMaxNameLength);
void ReadHitRecord(ByteReader& in, std::uint32_t version, WusHitRecord* hit,
                   std::size_t maxTextLength = kMaxNameLength);

}  // namespace wus
