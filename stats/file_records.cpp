// Reading one WUS file into its records, folding each hit as it is read.
#include "stats/file_records.h"

#include <algorithm>

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
    ReadWeaponRecord(in_, &weapon.record);
    BuyBucketCounts::ListNonzero(weapon.record.buyBuckets, &weapon.buys);
    const bool withBones = records_.version >= kFirstVersionWithBoneNames;
    HitFolder& folder = records_.folder;
    bool complete = true;
    for (std::uint32_t i = 0; i < weapon.record.numHitRecords; ++i) {
      if (std::size_t size = FoldBufferedHit(in_.Buffered(), withBones)) {
        in_.Consume(size);
        continue;
      }
      // The record reaches past the buffer (or the input): piece by piece.
      if (in_.AtEnd()) {
        complete = false;
        break;
      }
      HitFixedPart fixed = ReadHitFixedPart(in_);
      in_.SkipText();  // the hit's text: the report has no use for it
      NameId bone =
          withBones ? records_.boneCache.Intern(records_.bones, in_.ReadText()) : NamePool::kEmpty;
      folder.AddHit(RangeColumn(fixed.pos1, fixed.pos2), bone, fixed.lethal != 0);
    }
    folder.Finish(&weapon.hits);
    return complete;
  }

  // Folds the hit record at the start of `bytes` if the whole of it lies
  // there, and returns its size; returns 0, folding nothing, if it does not.
  std::size_t FoldBufferedHit(std::string_view bytes, bool withBones) {
    if (bytes.size() <= kHitFixedBytes) return 0;
    const char* const end = bytes.data() + bytes.size();
    const char* textEnd = FindZero(bytes.data() + kHitFixedBytes, end);
    if (textEnd == nullptr) return 0;
    const char* next = textEnd + 1;
    NameId bone = NamePool::kEmpty;
    if (withBones) {
      const char* boneEnd = FindZero(next, end);
      if (boneEnd == nullptr) return 0;
      const auto length = static_cast<std::size_t>(boneEnd - next);
      bone = records_.boneCache.Intern(records_.bones,
                                       std::string_view(next, std::min(length, kMaxNameLength)));
      next = boneEnd + 1;
    }
    HitFixedPart fixed = DecodeHitFixedPart(reinterpret_cast<const unsigned char*>(bytes.data()));
    records_.folder.AddHit(RangeColumn(fixed.pos1, fixed.pos2), bone, fixed.lethal != 0);
    return static_cast<std::size_t>(next - bytes.data());
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
  boneCache.Clear();
  folder.Clear();
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
