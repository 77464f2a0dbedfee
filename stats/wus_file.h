// A whole WUS file as a tree of records, and its encoding to bytes. wustool
// builds files from this form and tests make their inputs with it; the
// loader never needs it (it sums records as it reads them).
#pragma once

#include <string>
#include <vector>

#include "stats/wus_records.h"

namespace wus {

struct WusWeapon {
  WusWeaponRecord record;  // record.numHitRecords: see WusCounts
  std::vector<WusHitRecord> hits;
};

struct WusPlayer {
  WusPlayerRecord record;  // record.numWeapons: see WusCounts
  std::vector<WusWeapon> weapons;
};

struct WusFile {
  WusHeader header;  // header.numPlayers: see WusCounts
  std::vector<WusPlayer> players;
};

// Where EncodeWusFile takes the record counts (NumPlayers, NumWeapons,
// dwNumHits) from: the sizes of the lists, or the count fields of the records,
// which then may disagree with the records that follow (a damaged file).
enum class WusCounts { kFromLists, kFromRecords };

// Returns the bytes of `file`. Texts are written up to their first zero byte
// (a text cannot hold one); hit bone names only for version 2 and above.
std::string EncodeWusFile(const WusFile& file, WusCounts counts = WusCounts::kFromLists);

// A header with the magic and `version` and zero totals.
WusHeader MakeHeader(std::uint32_t version);

}  // namespace wus
