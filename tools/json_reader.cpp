// Reading the JSON form of a WUS file: every key, type and range is checked,
// and an error names the place in the document where it was found.
#include <cmath>
#include <limits>
#include <map>
#include <nlohmann/json.hpp>
#include <stdexcept>

#include "text/format.h"
#include "tools/byte_text.h"
#include "tools/json_codec.h"
#include "tools/json_keys.h"

namespace wus::tool {
namespace {

// Floats are parsed straight into single precision, so that the shortest
// decimal form of a float reads back as exactly that float.
using Json = nlohmann::basic_json<std::map, std::vector, std::string, bool, std::int64_t,
                                  std::uint64_t, float>;

constexpr std::uint64_t kMaxU32 = 0xFFFFFFFFu;
constexpr std::uint64_t kMaxSize = std::numeric_limits<std::int64_t>::max();

// A fault in the document; the reader stops at the first one.
class DocumentError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// A place in the document: a key or an index below a parent place. Built on
// the stack as the reader descends, and spelled out ("players[0].m_Name")
// only for an error. A Path must not outlive its parent.
class Path {
 public:
  Path() = default;  // the document itself
  Path(const Path& parent, const char* key) : parent_(&parent), key_(key) {}
  Path(const Path& parent, std::size_t index) : parent_(&parent), index_(index) {}

  std::string ToString() const {
    if (parent_ == nullptr) return "";
    std::string text = parent_->ToString();
    if (key_ == nullptr) return StringPrintf("%s[%zu]", text.c_str(), index_);
    return text.empty() ? key_ : text + "." + key_;
  }

 private:
  const Path* parent_ = nullptr;
  const char* key_ = nullptr;
  std::size_t index_ = 0;
};

[[noreturn]] void Fail(const Path& path, const std::string& message) {
  std::string where = path.ToString();
  throw DocumentError(where.empty() ? message : where + ": " + message);
}

void Expect(bool condition, const Path& path, const char* message) {
  if (!condition) Fail(path, message);
}

void CheckKeys(const Json& object, const Path& path, std::initializer_list<const char*> allowed) {
  Expect(object.is_object(), path, "must be an object");
  for (const auto& item : object.items()) {
    bool known = false;
    for (const char* key : allowed) known = known || item.key() == key;
    if (!known) Fail(path, "unknown key \"" + item.key() + "\"");
  }
}

// Returns the member `key` of `object`, or null if there is none.
const Json* Member(const Json& object, const char* key) {
  auto it = object.find(key);
  return it != object.end() ? &*it : nullptr;
}

std::uint64_t ReadInteger(const Json& value, const Path& path, std::int64_t min,
                          std::uint64_t max) {
  auto outOfRange = [&](const std::string& shown) {
    Fail(path, StringPrintf("%s is out of range (%lld to %llu)", shown.c_str(),
                            static_cast<long long>(min), static_cast<unsigned long long>(max)));
  };
  if (value.is_number_unsigned()) {
    auto v = value.get<std::uint64_t>();
    if (v > max) outOfRange(std::to_string(v));
    return v;
  }
  if (value.is_number_integer()) {
    auto v = value.get<std::int64_t>();
    if (v < min) outOfRange(std::to_string(v));
    return static_cast<std::uint64_t>(v);  // two's complement for the signed fields
  }
  Expect(!value.is_number_float(), path, "must be a whole number");
  Fail(path, "must be a number");
}

std::uint32_t ReadU32(const Json& object, const char* key, const Path& parent) {
  const Json* value = Member(object, key);
  return value != nullptr
             ? static_cast<std::uint32_t>(ReadInteger(*value, Path(parent, key), 0, kMaxU32))
             : 0;
}

RawTriple ReadTriple(const Json& object, const char* key, const Path& parent, bool isSigned) {
  RawTriple triple{};
  const Json* array = Member(object, key);
  if (array == nullptr) return triple;
  Path path(parent, key);
  Expect(array->is_array() && array->size() == kNumTeams, path,
         "must be an array of three numbers, one per team");
  for (std::size_t team = 0; team < kNumTeams; ++team) {
    Path at(path, team);
    triple[team] = static_cast<std::uint32_t>(
        isSigned ? ReadInteger((*array)[team], at, std::numeric_limits<std::int32_t>::min(),
                               std::numeric_limits<std::int32_t>::max())
                 : ReadInteger((*array)[team], at, 0, kMaxU32));
  }
  return triple;
}

// Up to three rows of up to 34 counters; what is left out is 0.
BuyBuckets ReadBuckets(const Json& object, const Path& parent) {
  BuyBuckets buckets{};
  const Json* teams = Member(object, kJsonBuyBuckets);
  if (teams == nullptr) return buckets;
  Path path(parent, kJsonBuyBuckets);
  Expect(teams->is_array() && teams->size() <= kNumTeams, path,
         "must be an array of at most three arrays, one per team");
  for (std::size_t team = 0; team < teams->size(); ++team) {
    Path at(path, team);
    const Json& row = (*teams)[team];
    Expect(row.is_array() && row.size() <= kNumBuyBuckets, at,
           "must be an array of at most 34 numbers");
    for (std::size_t k = 0; k < row.size(); ++k) {
      buckets[team][k] = static_cast<std::uint32_t>(ReadInteger(row[k], Path(at, k), 0, kMaxU32));
    }
  }
  return buckets;
}

float ReadFloat(const Json& value, const Path& path) {
  if (value.is_number_float()) {
    auto f = value.get<float>();
    Expect(std::isfinite(f), path, "is out of the range of a float");
    return f;
  }
  if (value.is_number_unsigned()) return static_cast<float>(value.get<std::uint64_t>());
  if (value.is_number_integer()) return static_cast<float>(value.get<std::int64_t>());
  float f = 0;
  Expect(value.is_string() && FloatFromJsonString(value.get_ref<const std::string&>(), &f), path,
         "must be a number, \"Infinity\", \"-Infinity\", \"NaN\" or \"0x\" and 8 hex digits");
  return f;
}

std::array<float, 3> ReadPoint(const Json& object, const char* key, const Path& parent) {
  std::array<float, 3> point{};
  const Json* array = Member(object, key);
  if (array == nullptr) return point;
  Path path(parent, key);
  Expect(array->is_array() && array->size() == 3, path, "must be an array of three floats");
  for (std::size_t i = 0; i < 3; ++i) point[i] = ReadFloat((*array)[i], Path(path, i));
  return point;
}

std::string ReadText(const Json& value, const Path& path) {
  Expect(value.is_string(), path, "must be a string");
  std::string bytes;
  std::string error;
  if (!Utf8ToBytes(value.get_ref<const std::string&>(), &bytes, &error)) Fail(path, error);
  return bytes;
}

// A text stored in the file: any bytes but the zero byte, of any length.
std::string ReadName(const Json& object, const char* key, const Path& parent) {
  const Json* value = Member(object, key);
  if (value == nullptr) return {};
  Path path(parent, key);
  std::string bytes = ReadText(*value, path);
  Expect(bytes.find('\0') == std::string::npos, path, "a text cannot hold the byte 0");
  return bytes;
}

const Json* OptionalArray(const Json& object, const char* key, const Path& parent) {
  const Json* array = Member(object, key);
  if (array != nullptr) Expect(array->is_array(), Path(parent, key), "must be an array");
  return array;
}

class DescriptionReader {
 public:
  explicit DescriptionReader(WusDescription* out) : out_(out) {}

  void ReadDocument(const Json& doc) {
    Path root;
    Expect(doc.is_object(), root, "the document must be a JSON object");
    CheckKeys(doc, root,
              {kJsonMagic, kJsonVersion, kJsonTotalPlayersAliveTime, kJsonTotalPlayersMoneyRound,
               kJsonTotalNumRespawns, kJsonNumPlayers, kJsonPlayers, kJsonEnd});
    if (const Json* magic = Member(doc, kJsonMagic)) {
      Path path(root, kJsonMagic);
      Expect(ReadText(*magic, path) == " WUS", path, "must be \" WUS\"");
    }
    const Json* version = Member(doc, kJsonVersion);
    Expect(version != nullptr, root, "\"version\" is missing");
    WusHeader& header = out_->file.header;
    header = MakeHeader(static_cast<std::uint32_t>(
        ReadInteger(*version, Path(root, kJsonVersion), 0, kMaxWusVersion)));
    version_ = header.version;
    header.totalPlayersAliveTime = ReadTriple(doc, kJsonTotalPlayersAliveTime, root, false);
    header.totalPlayersMoneyRound = ReadTriple(doc, kJsonTotalPlayersMoneyRound, root, true);
    header.totalNumRespawns = ReadTriple(doc, kJsonTotalNumRespawns, root, false);
    ReadEnd(doc, root);
    const Json* players = OptionalArray(doc, kJsonPlayers, root);
    std::size_t count = players != nullptr ? players->size() : 0;
    header.numPlayers = ReadCount(doc, kJsonNumPlayers, root, count, "player");
    out_->file.players.resize(count);
    Path list(root, kJsonPlayers);
    for (std::size_t i = 0; i < count; ++i) {
      ReadPlayer((*players)[i], Path(list, i), &out_->file.players[i]);
    }
  }

 private:
  void ReadPlayer(const Json& json, const Path& path, WusPlayer* player) {
    CheckKeys(json, path,
              {kJsonName, kJsonTotalShots, kJsonTotalAliveTime, kJsonTotalMoneyRound,
               kJsonNumRespawned, kJsonNumWeapons, kJsonWeapons});
    WusPlayerRecord& r = player->record;
    r.name = ReadName(json, kJsonName, path);
    r.totalShots = ReadU32(json, kJsonTotalShots, path);
    r.totalAliveTime = ReadTriple(json, kJsonTotalAliveTime, path, false);
    r.totalMoneyRound = ReadTriple(json, kJsonTotalMoneyRound, path, true);
    r.numRespawned = ReadTriple(json, kJsonNumRespawned, path, false);
    const Json* weapons = OptionalArray(json, kJsonWeapons, path);
    std::size_t count = weapons != nullptr ? weapons->size() : 0;
    r.numWeapons = ReadCount(json, kJsonNumWeapons, path, count, "weapon");
    player->weapons.resize(count);
    Path list(path, kJsonWeapons);
    for (std::size_t i = 0; i < count; ++i) {
      ReadWeapon((*weapons)[i], Path(list, i), &player->weapons[i]);
    }
  }

  void ReadWeapon(const Json& json, const Path& path, WusWeapon* weapon) {
    CheckKeys(json, path,
              {kJsonName, kJsonDisplayName, kJsonNumBought, kJsonAuxCount, kJsonNumShots,
               kJsonNumHits, kJsonNumKills, kJsonBuyBuckets, kJsonNumHitRecords, kJsonHits});
    WusWeaponRecord& r = weapon->record;
    r.id = ReadName(json, kJsonName, path);
    r.displayName = ReadName(json, kJsonDisplayName, path);
    r.numBought = ReadU32(json, kJsonNumBought, path);
    r.auxCount = ReadU32(json, kJsonAuxCount, path);
    r.numShots = ReadU32(json, kJsonNumShots, path);
    r.numHits = ReadU32(json, kJsonNumHits, path);
    r.numKills = ReadU32(json, kJsonNumKills, path);
    r.buyBuckets = ReadBuckets(json, path);
    const Json* hits = OptionalArray(json, kJsonHits, path);
    std::size_t count = hits != nullptr ? hits->size() : 0;
    r.numHitRecords = ReadCount(json, kJsonNumHitRecords, path, count, "hit");
    weapon->hits.resize(count);
    Path list(path, kJsonHits);
    for (std::size_t i = 0; i < count; ++i) ReadHit((*hits)[i], Path(list, i), &weapon->hits[i]);
  }

  void ReadHit(const Json& json, const Path& path, WusHitRecord* hit) {
    CheckKeys(json, path, {kJsonPos1, kJsonPos2, kJsonCode, kJsonLethal, kJsonText, kJsonBoneName});
    hit->pos1 = ReadPoint(json, kJsonPos1, path);
    hit->pos2 = ReadPoint(json, kJsonPos2, path);
    const Json* code = Member(json, kJsonCode);
    hit->code =
        code != nullptr
            ? static_cast<std::uint16_t>(ReadInteger(*code, Path(path, kJsonCode), 0, 0xFFFF))
            : 0;
    const Json* lethal = Member(json, kJsonLethal);
    hit->lethal = 0;
    if (lethal != nullptr && lethal->is_boolean()) {
      hit->lethal = lethal->get<bool>() ? 1 : 0;
    } else if (lethal != nullptr) {
      hit->lethal =
          static_cast<std::uint8_t>(ReadInteger(*lethal, Path(path, kJsonLethal), 0, 0xFF));
    }
    hit->text = ReadName(json, kJsonText, path);
    hit->boneName = ReadName(json, kJsonBoneName, path);
    if (!hit->boneName.empty() && version_ < kFirstVersionWithBoneNames) {
      Fail(Path(path, kJsonBoneName),
           StringPrintf("a version %u file has no bone names (they came with version %u)", version_,
                        kFirstVersionWithBoneNames));
    }
  }

  // "end": whether the file is cut, and the bytes after the last player.
  // The other keys of a dump's "end" are only for reading.
  void ReadEnd(const Json& doc, const Path& root) {
    const Json* end = Member(doc, kJsonEnd);
    if (end == nullptr) return;
    Path path(root, kJsonEnd);
    CheckKeys(*end, path,
              {kJsonFileSize, kJsonComplete, kJsonTrailingBytes, kJsonTrailing, kJsonCutRecord,
               kJsonFirstUnread, kJsonLongTexts});
    if (const Json* complete = Member(*end, kJsonComplete)) {
      Expect(complete->is_boolean(), Path(path, kJsonComplete), "must be true or false");
      complete_ = complete->get<bool>();
    }
    if (!complete_) {
      const Json* size = Member(*end, kJsonFileSize);
      Expect(size != nullptr, path, "a file that is not complete needs \"fileSize\"");
      out_->cutAt = ReadInteger(*size, Path(path, kJsonFileSize), 0, kMaxSize);
    }
    if (const Json* trailing = Member(*end, kJsonTrailing)) {
      Path at(path, kJsonTrailing);
      out_->trailing = ReadText(*trailing, at);
      Expect(complete_ || out_->trailing.empty(), at,
             "a file that is not complete has no trailing bytes");
    }
    if (const Json* trailingBytes = Member(*end, kJsonTrailingBytes)) {
      Path at(path, kJsonTrailingBytes);
      std::uint64_t count = ReadInteger(*trailingBytes, at, 0, kMaxSize);
      if (count != out_->trailing.size()) {
        Fail(at, StringPrintf("says %llu but \"trailing\" holds %zu bytes",
                              static_cast<unsigned long long>(count), out_->trailing.size()));
      }
    }
  }

  // The count stored for a list of `listSize` records (the list size when
  // the key is missing). A count that disagrees with a complete file's list
  // is written as given, with a warning.
  std::uint32_t ReadCount(const Json& object, const char* key, const Path& parent,
                          std::size_t listSize, const char* what) {
    Path path(parent, key);
    Expect(listSize <= kMaxU32, path, "too many records");
    const Json* value = Member(object, key);
    if (value == nullptr) return static_cast<std::uint32_t>(listSize);
    auto count = static_cast<std::uint32_t>(ReadInteger(*value, path, 0, kMaxU32));
    if (count != listSize && complete_) {
      out_->warnings.push_back(StringPrintf(
          "%s is %u but %zu %s record%s listed; the file gets the count as given",
          path.ToString().c_str(), count, listSize, what, listSize == 1 ? " is" : "s are"));
    }
    return count;
  }

  WusDescription* out_;
  std::uint32_t version_ = 0;
  bool complete_ = true;
};

}  // namespace

bool ParseWusJson(std::string_view json, WusDescription* description, std::string* error) {
  *description = WusDescription();
  Json doc;
  try {
    doc = Json::parse(json.begin(), json.end());
  } catch (const Json::exception& e) {  // a syntax error, or a number too large for its type
    *error = StringPrintf("not valid JSON: %s", e.what());
    return false;
  }
  try {
    DescriptionReader(description).ReadDocument(doc);
  } catch (const DocumentError& e) {
    *error = e.what();
    return false;
  }
  return true;
}

bool EncodeDescription(const WusDescription& description, std::string* bytes, std::string* error) {
  *bytes = EncodeWusFile(description.file, WusCounts::kFromRecords);
  if (description.cutAt) {
    if (*description.cutAt > bytes->size()) {
      *error = StringPrintf("end.fileSize %llu is beyond the %zu bytes that the records take",
                            static_cast<unsigned long long>(*description.cutAt), bytes->size());
      return false;
    }
    bytes->resize(static_cast<std::size_t>(*description.cutAt));
  } else {
    bytes->append(description.trailing);
  }
  return true;
}

}  // namespace wus::tool
