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
  weapon->numBought = in.ReadU32();
  weapon->auxCount = in.ReadU32();
  weapon->numShots = in.ReadU32();
  weapon->numHits = in.ReadU32();
  weapon->numKills = in.ReadU32();
  for (auto& team : weapon->buyBuckets) {
    for (auto& bucket : team) bucket = in.ReadU32();
  }
  weapon->numHitRecords = in.ReadU32();
}

void ReadHitRecord(ByteReader& in, std::uint32_t version, WusHitRecord* hit) {
  for (auto& c : hit->pos1) c = in.ReadFloat();
  for (auto& c : hit->pos2) c = in.ReadFloat();
  hit->code = in.ReadU16();
  hit->lethal = in.ReadU8();
  hit->text.assign(in.ReadText());
  if (version >= kFirstVersionWithBoneNames) {
    hit->boneName.assign(in.ReadText());
  } else {
    hit->boneName.clear();
  }
}

}  // namespace wus
