// Encoding a WUS file from its records.
#include "stats/wus_file.h"

#include <cstring>

namespace wus {
namespace {

void PutU8(std::string* out, std::uint8_t value) { out->push_back(static_cast<char>(value)); }

void PutU16(std::string* out, std::uint16_t value) {
  PutU8(out, static_cast<std::uint8_t>(value));
  PutU8(out, static_cast<std::uint8_t>(value >> 8));
}

void PutU32(std::string* out, std::uint32_t value) {
  for (int shift = 0; shift < 32; shift += 8) PutU8(out, static_cast<std::uint8_t>(value >> shift));
}

void PutFloat(std::string* out, float value) {
  std::uint32_t bits;
  std::memcpy(&bits, &value, sizeof bits);
  PutU32(out, bits);
}

void PutTriple(std::string* out, const RawTriple& triple) {
  for (std::uint32_t value : triple) PutU32(out, value);
}

void PutText(std::string* out, const std::string& text) {
  out->append(text.c_str());  // up to the first zero byte
  out->push_back('\0');
}

// An upper bound of the encoded size (texts may end early at a zero byte),
// so that encoding allocates once.
std::size_t EncodedSizeBound(const WusFile& file) {
  std::size_t size = kHeaderBytes;
  for (const WusPlayer& player : file.players) {
    size += player.record.name.size() + 1 + kPlayerFixedBytes;
    for (const WusWeapon& weapon : player.weapons) {
      size += weapon.record.id.size() + weapon.record.displayName.size() + 2 + kWeaponFixedBytes;
      for (const WusHitRecord& hit : weapon.hits) {
        size += kHitFixedBytes + hit.text.size() + 1 + hit.boneName.size() + 1;
      }
    }
  }
  return size;
}

}  // namespace

WusHeader MakeHeader(std::uint32_t version) {
  WusHeader header;
  header.magic = kWusMagic;
  header.version = version;
  return header;
}

std::string EncodeWusFile(const WusFile& file, WusCounts counts) {
  const bool fromLists = counts == WusCounts::kFromLists;
  auto count = [fromLists](std::size_t listSize, std::uint32_t recorded) {
    return fromLists ? static_cast<std::uint32_t>(listSize) : recorded;
  };
  std::string out;
  out.reserve(EncodedSizeBound(file));
  const WusHeader& h = file.header;
  PutU32(&out, h.magic);
  PutU32(&out, h.version);
  PutTriple(&out, h.totalPlayersAliveTime);
  PutTriple(&out, h.totalPlayersMoneyRound);
  PutTriple(&out, h.totalNumRespawns);
  PutU32(&out, count(file.players.size(), h.numPlayers));
  for (const WusPlayer& player : file.players) {
    const WusPlayerRecord& p = player.record;
    PutText(&out, p.name);
    PutU32(&out, p.totalShots);
    PutTriple(&out, p.totalAliveTime);
    PutTriple(&out, p.totalMoneyRound);
    PutTriple(&out, p.numRespawned);
    PutU32(&out, count(player.weapons.size(), p.numWeapons));
    for (const WusWeapon& weapon : player.weapons) {
      const WusWeaponRecord& w = weapon.record;
      PutText(&out, w.id);
      PutText(&out, w.displayName);
      for (std::uint32_t v : {w.numBought, w.auxCount, w.numShots, w.numHits, w.numKills})
        PutU32(&out, v);
      for (const auto& team : w.buyBuckets) {
        for (std::uint32_t bucket : team) PutU32(&out, bucket);
      }
      PutU32(&out, count(weapon.hits.size(), w.numHitRecords));
      for (const WusHitRecord& hit : weapon.hits) {
        for (float c : hit.pos1) PutFloat(&out, c);
        for (float c : hit.pos2) PutFloat(&out, c);
        PutU16(&out, hit.code);
        PutU8(&out, hit.lethal);
        PutText(&out, hit.text);
        if (h.version >= kFirstVersionWithBoneNames) PutText(&out, hit.boneName);
      }
    }
  }
  return out;
}

}  // namespace wus
