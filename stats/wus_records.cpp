// Record-level reads of the WUS format.
#include "stats/wus_records.h"

namespace wus {

RawTriple ReadTriple(ByteReader& in) {
  RawTriple triple;
  for (auto& value : triple) value = in.ReadU32();
  return triple;
}

void ReadPlayerRecord(ByteReader& in, WusPlayerRecord* player) {
  player->name.assign(in.ReadText());
  player->totalShots = in.ReadU32();
  player->totalAliveTime = ReadTriple(in);
  player->totalMoneyRound = ReadTriple(in);
  player->numRespawned = ReadTriple(in);
  player->numWeapons = in.ReadU32();
}

void ReadWeaponRecord(ByteReader& in, WusWeaponRecord* weapon) {
  weapon->id.assign(in.ReadText());
  weapon->displayName.assign(in.ReadText());
  // The counters, the purchase buckets and the hit count: 108 numbers read
  // at once.
  constexpr std::size_t kBuckets = kNumTeams * kNumBuyBuckets;
  unsigned char raw[4 * (5 + kBuckets + 1)];
  in.ReadBytes(raw, sizeof raw);
  const unsigned char* p = raw;
  auto next = [&p] {
    std::uint32_t value = DecodeU32(p);
    p += 4;
    return value;
  };
  weapon->numBought = next();
  weapon->auxCount = next();
  weapon->numShots = next();
  weapon->numHits = next();
  weapon->numKills = next();
  for (auto& team : weapon->buyBuckets) {
    for (auto& bucket : team) bucket = next();
  }
  weapon->numHitRecords = next();
}

void ReadHitRecord(ByteReader& in, std::uint32_t version, WusHitRecord* hit) {
  HitFixedPart fixed = ReadHitFixedPart(in);
  hit->pos1 = fixed.pos1;
  hit->pos2 = fixed.pos2;
  hit->code = fixed.code;
  hit->lethal = fixed.lethal;
  hit->text.assign(in.ReadText());
  if (version >= kFirstVersionWithBoneNames) {
    hit->boneName.assign(in.ReadText());
  } else {
    hit->boneName.clear();
  }
}

}  // namespace wus
