// Reading one WUS file into its records, folding each hit as it is read.
#include "stats/file_records.h"

#include "platform/platform.h"
#include "stats/byte_reader.h"

namespace wus {
namespace {

// Reads the body after the magic and the version. Returns false iff a
// record was skipped because it would begin at or past the end.
class BodyReader {
 public:
  BodyReader(ByteReader& in, FileRecords& records) : in_(in), records_(records) {}

  bool Read() {
    WusHeader& header = records_.header;
    header.totalPlayersAliveTime = ReadTriple(in_);
    header.totalPlayersMoneyRound = ReadTriple(in_);
    header.totalNumRespawns = ReadTriple(in_);
    header.numPlayers = in_.ReadU32();
    for (std::uint32_t i = 0; i < header.numPlayers; ++i) {
      if (in_.AtEnd() || !ReadPlayer()) return false;
    }
    return true;
  }

 private:
  bool ReadPlayer() {
    FilePlayer& player = records_.players.emplace_back();
    ReadPlayerRecord(in_, &player.record);
    for (std::uint32_t i = 0; i < player.record.numWeapons; ++i) {
      // `player` stays valid: only the weapons grow below.
      if (in_.AtEnd()) return false;
      ++player.weaponsRead;
      if (!ReadWeapon()) return false;
    }
    return true;
  }

  bool ReadWeapon() {
    if (records_.weaponCount == records_.weapons.size()) records_.weapons.emplace_back();
    FileWeapon& weapon = records_.weapons[records_.weaponCount++];
    weapon.hits.Clear();
    ReadWeaponRecord(in_, &weapon.record);
    const bool withBones = records_.version >= kFirstVersionWithBoneNames;
    for (std::uint32_t i = 0; i < weapon.record.numHitRecords; ++i) {
      if (in_.AtEnd()) return false;
      HitFixedPart fixed = ReadHitFixedPart(in_);
      in_.ReadText();  // the hit's text: the report has no use for it
      NameId bone = withBones ? records_.bones.Intern(in_.ReadText()) : NamePool::kEmpty;
      weapon.hits.AddHit(RangeColumn(fixed.pos1, fixed.pos2), bone, fixed.lethal != 0);
    }
    return true;
  }

  ByteReader& in_;
  FileRecords& records_;
};

}  // namespace

void FileRecords::Clear() {
  status = LoadStatus::kCannotOpen;
  error.clear();
  version = 0;
  fullPath.clear();
  fileNamePos = 0;
  header = WusHeader();
  players.clear();
  weaponCount = 0;
  bones.Clear();
  cutShort = false;
}

void ReadFileRecords(const std::string& path, FileSystem& fileSystem, FileRecords* records) {
  records->Clear();
  std::unique_ptr<SequentialFile> file = fileSystem.OpenForRead(path, &records->error);
  if (!file) {
    records->status = LoadStatus::kCannotOpen;
    return;
  }
  ByteReader in(file.get());
  records->header.magic = in.ReadU32();
  if (records->header.magic != kWusMagic) {
    records->status = LoadStatus::kNotWus;
    return;
  }
  records->version = records->header.version = in.ReadU32();
  if (!IsSupportedVersion(records->version)) {
    records->status = LoadStatus::kUnknownVersion;
    return;
  }
  records->status = LoadStatus::kAccepted;
  FullPath full = GetFullPath(path);
  records->fullPath = std::move(full.path);
  records->fileNamePos = full.fileNamePos;
  bool complete = BodyReader(in, *records).Read();
  records->cutShort = !complete || in.ranPastEnd();
}

}  // namespace wus
