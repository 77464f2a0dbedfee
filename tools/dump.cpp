// `wustool dump`: reads a WUS file record by record and writes its JSON form.
// Texts are shown whole, however long (the report's length limit is the
// report's, not the file's). A record whose first byte would lie at or past
// the end of the file is not read; a record that the end cuts through is
// read whole, with zeros for the missing bytes. The "end" object says which
// record was cut and which was the first left unread. Bytes after the last
// record go out as they are read, a block at a time.
#include "tools/dump.h"

#include <cstdio>
#include <optional>

#include "stats/byte_reader.h"
#include "stats/wus_file.h"
#include "text/format.h"
#include "tools/command_line.h"
#include "tools/json_keys.h"

namespace wus::tool {
namespace {

// The most bytes after the last record that the dump holds at once.
constexpr std::size_t kTrailingBlock = 1 << 16;

constexpr char kHelp[] =
    "Usage: wustool dump FILE\n"
    "Prints the WUS file FILE as JSON on standard output: magic, version, the\n"
    "header totals, every player, weapon and hit, and under \"end\" where the data\n"
    "ended (the file size, bytes left after the last player, or the record that\n"
    "the end of a cut file fell into and the first record that was not there).\n"
    "Texts are bytes shown as code page 1251 characters (byte 0x98 as U+0098).\n"
    "'wustool make' turns the JSON back into the same file.\n"
    "Exit status: 0 done, 1 FILE is no WUS file of version 0 to 2 or cannot be\n"
    "read, 2 wrong arguments.\n";

// A record of the file: what it is, where it begins and its place in the
// lists (-1 where a list does not apply).
struct RecordRef {
  const char* kind;
  std::uint64_t offset;
  std::int64_t player = -1;
  std::int64_t weapon = -1;
  std::int64_t hit = -1;
};

void WriteTriple(JsonWriter& out, const char* key, const RawTriple& triple, bool isSigned) {
  out.Key(key);
  out.BeginArray(true);
  for (std::uint32_t value : triple) {
    if (isSigned) {
      out.Signed(static_cast<std::int32_t>(value));
    } else {
      out.Unsigned(value);
    }
  }
  out.EndArray();
}

void WriteCounter(JsonWriter& out, const char* key, std::uint32_t value) {
  out.Key(key);
  out.Unsigned(value);
}

void WritePoint(JsonWriter& out, const char* key, const std::array<float, 3>& point) {
  out.Key(key);
  out.BeginArray(true);
  for (float c : point) out.Float(c);
  out.EndArray();
}

class Dumper {
 public:
  Dumper(ByteReader& in, JsonWriter& out, std::uint32_t version)
      : in_(in), out_(out), version_(version) {}

  // Writes the document after magic and version were read and checked.
  void Run(DumpSummary* summary) {
    WusHeader header = MakeHeader(version_);
    header.totalPlayersAliveTime = ReadTriple(in_);
    header.totalPlayersMoneyRound = ReadTriple(in_);
    header.totalNumRespawns = ReadTriple(in_);
    header.numPlayers = in_.ReadU32();
    Finish(RecordRef{"header", 0});

    out_.BeginObject();
    out_.Key(kJsonMagic);
    out_.Text(" WUS");
    out_.Key(kJsonVersion);
    out_.Unsigned(version_);
    WriteTriple(out_, kJsonTotalPlayersAliveTime, header.totalPlayersAliveTime, false);
    WriteTriple(out_, kJsonTotalPlayersMoneyRound, header.totalPlayersMoneyRound, true);
    WriteTriple(out_, kJsonTotalNumRespawns, header.totalNumRespawns, false);
    WriteCounter(out_, kJsonNumPlayers, header.numPlayers);
    out_.Key(kJsonPlayers);
    out_.BeginArray();
    bool complete = true;
    for (std::uint32_t i = 0; i < header.numPlayers && complete; ++i) complete = DumpPlayer(i);
    out_.EndArray();
    WriteEnd(summary);
    out_.EndObject();
    out_.Finish();
  }

 private:
  // Returns true iff the record `ref` begins before the end of the input;
  // otherwise notes it as the first record left unread.
  bool Begin(const RecordRef& ref) {
    if (!in_.AtEnd()) return true;
    unread_ = ref;
    return false;
  }

  // After a record was read: notes it as cut if the input ended inside it.
  void Finish(const RecordRef& ref) {
    if (in_.ranPastEnd() && !cut_) cut_ = ref;
  }

  // Returns true iff the player and everything in it were there.
  bool DumpPlayer(std::uint32_t index) {
    RecordRef ref{"player", in_.offset(), index};
    if (!Begin(ref)) return false;
    ReadPlayerRecord(in_, &player_, kWholeText);
    Finish(ref);

    out_.BeginObject();
    out_.Key(kJsonName);
    out_.Text(player_.name);
    WriteCounter(out_, kJsonTotalShots, player_.totalShots);
    WriteTriple(out_, kJsonTotalAliveTime, player_.totalAliveTime, false);
    WriteTriple(out_, kJsonTotalMoneyRound, player_.totalMoneyRound, true);
    WriteTriple(out_, kJsonNumRespawned, player_.numRespawned, false);
    WriteCounter(out_, kJsonNumWeapons, player_.numWeapons);
    out_.Key(kJsonWeapons);
    out_.BeginArray();
    bool complete = true;
    for (std::uint32_t i = 0; i < player_.numWeapons && complete; ++i) {
      complete = DumpWeapon(index, i);
    }
    out_.EndArray();
    out_.EndObject();
    return complete;
  }

  bool DumpWeapon(std::uint32_t player, std::uint32_t index) {
    RecordRef ref{"weapon", in_.offset(), player, index};
    if (!Begin(ref)) return false;
    ReadWeaponRecord(in_, &weapon_, kWholeText);
    Finish(ref);

    out_.BeginObject();
    out_.Key(kJsonName);
    out_.Text(weapon_.id);
    out_.Key(kJsonDisplayName);
    out_.Text(weapon_.displayName);
    WriteCounter(out_, kJsonNumBought, weapon_.numBought);
    WriteCounter(out_, kJsonAuxCount, weapon_.auxCount);
    WriteCounter(out_, kJsonNumShots, weapon_.numShots);
    WriteCounter(out_, kJsonNumHits, weapon_.numHits);
    WriteCounter(out_, kJsonNumKills, weapon_.numKills);
    out_.Key(kJsonBuyBuckets);
    out_.BeginArray();
    for (const auto& team : weapon_.buyBuckets) {
      out_.BeginArray(true);
      for (std::uint32_t bucket : team) out_.Unsigned(bucket);
      out_.EndArray();
    }
    out_.EndArray();
    WriteCounter(out_, kJsonNumHitRecords, weapon_.numHitRecords);
    out_.Key(kJsonHits);
    out_.BeginArray();
    bool complete = true;
    for (std::uint32_t i = 0; i < weapon_.numHitRecords && complete; ++i) {
      complete = DumpHit(player, index, i);
    }
    out_.EndArray();
    out_.EndObject();
    return complete;
  }

  bool DumpHit(std::uint32_t player, std::uint32_t weapon, std::uint32_t index) {
    RecordRef ref{"hit", in_.offset(), player, weapon, index};
    if (!Begin(ref)) return false;
    ReadHitRecord(in_, version_, &hit_, kWholeText);
    bool hasBone = version_ >= kFirstVersionWithBoneNames;
    Finish(ref);

    out_.BeginObject(true);
    WritePoint(out_, kJsonPos1, hit_.pos1);
    WritePoint(out_, kJsonPos2, hit_.pos2);
    WriteCounter(out_, kJsonCode, hit_.code);
    WriteCounter(out_, kJsonLethal, hit_.lethal);
    out_.Key(kJsonText);
    out_.Text(hit_.text);
    if (hasBone) {
      out_.Key(kJsonBoneName);
      out_.Text(hit_.boneName);
    }
    out_.EndObject();
    return true;
  }

  void WriteRecordRef(const char* key, const RecordRef& ref) {
    out_.Key(key);
    out_.BeginObject(true);
    out_.Key(kJsonRecord);
    out_.Text(ref.kind);
    out_.Key(kJsonOffset);
    out_.Unsigned(ref.offset);
    const std::pair<const char*, std::int64_t> places[] = {
        {kJsonPlayer, ref.player}, {kJsonWeapon, ref.weapon}, {kJsonHit, ref.hit}};
    for (const auto& [name, place] : places) {
      if (place < 0) continue;
      out_.Key(name);
      out_.Signed(place);
    }
    out_.EndObject();
  }

  // The "end" object. The bytes after the last record are not counted
  // before they are shown: they go out a block at a time, so the object
  // lists the size and the count after them.
  void WriteEnd(DumpSummary* summary) {
    summary->complete = !cut_ && !unread_;
    out_.Key(kJsonEnd);
    out_.BeginObject();
    out_.Key(kJsonComplete);
    out_.Bool(summary->complete);
    std::uint64_t trailingBytes = 0;
    if (summary->complete && !in_.AtEnd()) {
      const std::uint64_t start = in_.offset();
      out_.Key(kJsonTrailing);
      out_.BeginText();
      std::string block;
      while (!in_.AtEnd()) {
        in_.ReadAvailable(kTrailingBlock, &block);
        out_.TextPiece(block);
      }
      out_.EndText();
      trailingBytes = in_.offset() - start;
    }
    summary->fileSize = in_.offset();
    if (summary->complete) {
      out_.Key(kJsonTrailingBytes);
      out_.Unsigned(trailingBytes);
    }
    out_.Key(kJsonFileSize);
    out_.Unsigned(summary->fileSize);
    if (cut_) WriteRecordRef(kJsonCutRecord, *cut_);
    if (unread_) WriteRecordRef(kJsonFirstUnread, *unread_);
    out_.EndObject();
  }

  ByteReader& in_;
  JsonWriter& out_;
  std::uint32_t version_;
  std::optional<RecordRef> cut_;
  std::optional<RecordRef> unread_;
  WusPlayerRecord player_;
  WusWeaponRecord weapon_;
  WusHitRecord hit_;
};

}  // namespace

bool DumpWusFile(SequentialFile& file, const TextSink& sink, DumpSummary* summary,
                 std::string* error) {
  ByteReader in(&file);
  if (in.ReadU32() != kWusMagic) {
    *error = in.readFailed() ? in.readError() : "not a WUS file (it does not begin with \" WUS\")";
    return false;
  }
  std::uint32_t version = in.ReadU32();
  if (!IsSupportedVersion(version)) {
    *error =
        StringPrintf("WUS version %u is not supported (only 0 to %u are)", version, kMaxWusVersion);
    return false;
  }
  JsonWriter out(sink);
  Dumper(in, out, version).Run(summary);
  if (in.readFailed()) {
    *error = "read error: " + in.readError();
    return false;
  }
  return true;
}

int RunDump(const std::vector<std::string>& args) {
  ParsedArgs parsed;
  std::string error;
  if (!ParseArgs(args, {}, &parsed, &error)) return UsageError("dump", error);
  if (parsed.help) return PrintText(kHelp);
  if (parsed.operands.size() != 1) return UsageError("dump", "expects exactly one FILE");
  const std::string& path = parsed.operands[0];
  std::unique_ptr<SequentialFile> file = FileSystem::Default().OpenForRead(path, &error);
  if (!file) return Failure("dump", "cannot open '" + path + "': " + error);
  DumpSummary summary;
  bool ok = DumpWusFile(
      *file, [](std::string_view text) { std::fwrite(text.data(), 1, text.size(), stdout); },
      &summary, &error);
  if (!ok) return Failure("dump", path + ": " + error);
  if (std::fflush(stdout) != 0 || std::ferror(stdout)) {
    return Failure("dump", "cannot write the output");
  }
  return kExitOk;
}

}  // namespace wus::tool
