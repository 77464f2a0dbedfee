// Record-level reads of the WUS format.
#include "stats/wus_records.h"

namespace wus {

RawTriple ReadTriple(ByteReader& in) {
  RawTriple triple;
  for (auto& value : triple) value = in.ReadU32();
  return triple;
}

void ReadPlayerRecord(ByteReader& in, WusPlayerRecord* player, std::size_t maxTextLength) {
  player->name.assign(in.ReadText(maxTextLength));
  player->totalShots = in.ReadU32();
  player->totalAliveTime = ReadTriple(in);
  player->totalMoneyRound = ReadTriple(in);
  player->numRespawned = ReadTriple(in);
  player->numWeapons = in.ReadU32();
}

void ReadWeaponRecord(ByteReader& in, WusWeaponRecord* weapon, std::size_t maxTextLength) {
  weapon->id.assign(in.ReadText(maxTextLength));
  weapon->displayName.assign(in.ReadText(maxTextLength));
  // The counters, the purchase buckets and the hit count: 108 numbers read
  // at once.
  unsigned char raw[kWeaponFixedBytes];
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

void ReadHitRecord(ByteReader& in, std::uint32_t version, WusHitRecord* hit,
                   std::size_t maxTextLength) {
  HitFixedPart fixed = ReadHitFixedPart(in);
  hit->pos1 = fixed.pos1;
  hit->pos2 = fixed.pos2;
  hit->code = fixed.code;
  hit->lethal = fixed.lethal;
  hit->text.assign(in.ReadText(maxTextLength));
  if (version >= kFirstVersionWithBoneNames) {
    hit->boneName.assign(in.ReadText(maxTextLength));
  } else {
    hit->boneName.clear();
  }
}

}  // namespace wus
