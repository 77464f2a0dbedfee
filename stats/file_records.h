// What one WUS file holds, read by a loading thread before the file is
// merged into the aggregate: whether it was accepted, and its records in
// file order, each weapon record with the summary of its hits (the hits
// themselves are folded as they are read and dropped). Reading writes
// nothing to the console; the merge (stats/loader.h) writes the trace.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "platform/file_system.h"
#include "stats/hit_folder.h"
#include "stats/intern_cache.h"
#include "stats/name_pool.h"
#include "stats/wus_records.h"

namespace wus {

// What became of one input file.
enum class LoadStatus { kAccepted, kCannotOpen, kNotWus, kUnknownVersion };

struct FileWeapon {
  WusWeaponRecord record;  // numHitRecords: the count the file gives
  FileHitSummary hits;     // bone ids into FileRecords::bones
  // The nonzero purchase counters of `record`, in key order.
  std::vector<BuyBucketCounts::Entry> buys;
};

struct FilePlayer {
  WusPlayerRecord record;         // numWeapons: the count the file gives
  std::uint32_t weaponsRead = 0;  // the records that follow it in `weapons`
};

struct FileRecords {
  LoadStatus status = LoadStatus::kCannotOpen;
  std::string error;          // kCannotOpen: the system's reason text
  std::uint32_t version = 0;  // kUnknownVersion and kAccepted
  // kAccepted from here on.
  std::string fullPath;
  std::size_t fileNamePos = 0;  // where the file name begins in fullPath
  WusHeader header;             // the totals and NumPlayers
  std::vector<FilePlayer> players;
  // Every player's weapon records, in file order: the first weaponCount of
  // `weapons`. The others are kept from earlier files, so that the lists of
  // their summaries are reused rather than allocated anew for every file.
  std::vector<FileWeapon> weapons;
  std::size_t weaponCount = 0;
  NamePool bones;         // the file's bone names
  InternCache boneCache;  // in front of `bones`
  HitFolder folder;       // scratch for folding one weapon's hits
  // The file ended before its last record (or inside one).
  bool cutShort = false;

  // Empties everything; keeps the lists' room for the next file.
  void Clear();
};

// Opens and reads the file at `path` into `*records`. A file that cannot be
// opened, lacks the magic or has a version above 2 gets its status and
// nothing else; an accepted one keeps every record that begins before its
// end (a record cut by the end keeps zeros and empty texts past it).
void ReadFileRecords(const std::string& path, FileSystem& fileSystem, FileRecords* records);

}  // namespace wus
