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

namespace wus::tool {
namespace {

// Floats are parsed straight into single precision, so that the shortest
// decimal form of a float reads back as exactly that float.
using Json = nlohmann::basic_json<std::map, std::vector, std::string, bool, std::int64_t,
                                  std::uint64_t, float>;

// A fault in the document; the reader stops at the first one.
class DocumentError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

class DescriptionReader {
 public:
  explicit DescriptionReader(WusDescription* out) : out_(out) {}

  void ReadDocument(const Json& doc) {
    Expect(doc.is_object(), "", "the document must be a JSON object");
    CheckKeys(doc, "",
              {"magic", "version", "m_dwTotalPlayersAliveTime", "m_dwTotalPlayersMoneyRound",
               "m_dwTotalNumRespawns", "NumPlayers", "players", "end"});
    if (doc.contains("magic")) {
      Expect(ReadText(doc["magic"], "magic") == " WUS", "magic", "must be \" WUS\"");
    }
    Expect(doc.contains("version"), "", "\"version\" is missing");
    WusHeader& header = out_->file.header;
    header = MakeHeader(
        static_cast<std::uint32_t>(ReadInteger(doc["version"], "version", 0, kMaxWusVersion)));
    version_ = header.version;
    header.totalPlayersAliveTime = ReadTriple(doc, "m_dwTotalPlayersAliveTime", "", false);
    header.totalPlayersMoneyRound = ReadTriple(doc, "m_dwTotalPlayersMoneyRound", "", true);
    header.totalNumRespawns = ReadTriple(doc, "m_dwTotalNumRespawns", "", false);
    ReadEnd(doc);
    const Json* players = OptionalArray(doc, "players", "");
    std::size_t numPlayers = players != nullptr ? players->size() : 0;
    header.numPlayers = ReadCount(doc, "NumPlayers", "", numPlayers, "player");
    out_->file.players.resize(numPlayers);
    for (std::size_t i = 0; i < numPlayers; ++i) {
      ReadPlayer((*players)[i], StringPrintf("players[%zu]", i), &out_->file.players[i]);
    }
  }

 private:
  void ReadPlayer(const Json& json, const std::string& path, WusPlayer* player) {
    Expect(json.is_object(), path, "must be an object");
    CheckKeys(json, path,
              {"m_Name", "TotalShots", "m_dwTotalAliveTime", "m_dwTotalMoneyRound",
               "m_dwNumRespawned", "NumWeapons", "weapons"});
    WusPlayerRecord& r = player->record;
    r.name = ReadName(json, "m_Name", path);
    r.totalShots = ReadU32(json, "TotalShots", path);
    r.totalAliveTime = ReadTriple(json, "m_dwTotalAliveTime", path, false);
    r.totalMoneyRound = ReadTriple(json, "m_dwTotalMoneyRound", path, true);
    r.numRespawned = ReadTriple(json, "m_dwNumRespawned", path, false);
    const Json* weapons = OptionalArray(json, "weapons", path);
    std::size_t count = weapons != nullptr ? weapons->size() : 0;
    r.numWeapons = ReadCount(json, "NumWeapons", path, count, "weapon");
    player->weapons.resize(count);
    for (std::size_t i = 0; i < count; ++i) {
      ReadWeapon((*weapons)[i], StringPrintf("%s.weapons[%zu]", path.c_str(), i),
                 &player->weapons[i]);
    }
  }

  void ReadWeapon(const Json& json, const std::string& path, WusWeapon* weapon) {
    Expect(json.is_object(), path, "must be an object");
    CheckKeys(json, path,
              {"m_Name", "m_DisplayName", "m_dwNumBought", "m_dwAuxCount", "m_dwNumShots",
               "m_dwNumHits", "m_dwNumKills", "m_dwBuyBuckets", "dwNumHits", "hits"});
    WusWeaponRecord& r = weapon->record;
    r.id = ReadName(json, "m_Name", path);
    r.displayName = ReadName(json, "m_DisplayName", path);
    r.numBought = ReadU32(json, "m_dwNumBought", path);
    r.auxCount = ReadU32(json, "m_dwAuxCount", path);
    r.numShots = ReadU32(json, "m_dwNumShots", path);
    r.numHits = ReadU32(json, "m_dwNumHits", path);
    r.numKills = ReadU32(json, "m_dwNumKills", path);
    r.buyBuckets = ReadBuckets(json, path);
    const Json* hits = OptionalArray(json, "hits", path);
    std::size_t count = hits != nullptr ? hits->size() : 0;
    r.numHitRecords = ReadCount(json, "dwNumHits", path, count, "hit");
    weapon->hits.resize(count);
    for (std::size_t i = 0; i < count; ++i) {
      ReadHit((*hits)[i], StringPrintf("%s.hits[%zu]", path.c_str(), i), &weapon->hits[i]);
    }
  }

  void ReadHit(const Json& json, const std::string& path, WusHitRecord* hit) {
    Expect(json.is_object(), path, "must be an object");
    CheckKeys(json, path, {"m_Pos1", "m_Pos2", "m_wCode", "m_bLethal", "m_Text", "m_BoneName"});
    hit->pos1 = ReadPoint(json, "m_Pos1", path);
    hit->pos2 = ReadPoint(json, "m_Pos2", path);
    hit->code = json.contains("m_wCode") ? static_cast<std::uint16_t>(ReadInteger(
                                               json["m_wCode"], Join(path, "m_wCode"), 0, 0xFFFF))
                                         : 0;
    hit->lethal = 0;
    if (json.contains("m_bLethal")) {
      const Json& lethal = json["m_bLethal"];
      hit->lethal =
          lethal.is_boolean()
              ? (lethal.get<bool>() ? 1 : 0)
              : static_cast<std::uint8_t>(ReadInteger(lethal, Join(path, "m_bLethal"), 0, 0xFF));
    }
    hit->text = ReadName(json, "m_Text", path);
    hit->boneName = ReadName(json, "m_BoneName", path);
    Expect(hit->boneName.empty() || version_ >= kFirstVersionWithBoneNames,
           Join(path, "m_BoneName"),
           StringPrintf("a version %u file has no bone names (they came with version %u)", version_,
                        kFirstVersionWithBoneNames));
  }

  void ReadEnd(const Json& doc) {
    if (!doc.contains("end")) return;
    const Json& end = doc["end"];
    Expect(end.is_object(), "end", "must be an object");
    CheckKeys(end, "end",
              {"fileSize", "complete", "trailingBytes", "trailing", "cutRecord", "firstUnread",
               "cutTexts"});
    bool complete = true;
    if (end.contains("complete")) {
      Expect(end["complete"].is_boolean(), "end.complete", "must be true or false");
      complete = end["complete"].get<bool>();
    }
    if (!complete) {
      Expect(end.contains("fileSize"), "end", "a file that is not complete needs \"fileSize\"");
      out_->cutAt =
          ReadInteger(end["fileSize"], "end.fileSize", 0, std::numeric_limits<std::int64_t>::max());
    }
    if (end.contains("trailing")) {
      out_->trailing = ReadText(end["trailing"], "end.trailing");
      Expect(complete || out_->trailing.empty(), "end.trailing",
             "a file that is not complete has no trailing bytes");
    }
    if (end.contains("trailingBytes")) {
      std::uint64_t count = ReadInteger(end["trailingBytes"], "end.trailingBytes", 0,
                                        std::numeric_limits<std::int64_t>::max());
      Expect(count == out_->trailing.size(), "end.trailingBytes",
             StringPrintf("says %llu but \"trailing\" holds %zu bytes",
                          static_cast<unsigned long long>(count), out_->trailing.size()));
    }
    complete_ = complete;
  }

  // ---- values ----

  [[noreturn]] static void Fail(const std::string& path, const std::string& message) {
    throw DocumentError(path.empty() ? message : path + ": " + message);
  }
  static void Expect(bool condition, const std::string& path, const std::string& message) {
    if (!condition) Fail(path, message);
  }
  static std::string Join(const std::string& path, const char* key) {
    return path.empty() ? key : path + "." + key;
  }

  static void CheckKeys(const Json& object, const std::string& path,
                        std::initializer_list<const char*> allowed) {
    for (const auto& item : object.items()) {
      bool known = false;
      for (const char* key : allowed) known = known || item.key() == key;
      Expect(known, path, "unknown key \"" + item.key() + "\"");
    }
  }

  static std::uint64_t ReadInteger(const Json& value, const std::string& path, std::int64_t min,
                                   std::uint64_t max) {
    if (value.is_number_unsigned()) {
      auto v = value.get<std::uint64_t>();
      Expect(v <= max, path, RangeMessage(std::to_string(v), min, max));
      return v;
    }
    if (value.is_number_integer()) {
      auto v = value.get<std::int64_t>();
      Expect(v >= min, path, RangeMessage(std::to_string(v), min, max));
      return static_cast<std::uint64_t>(v);  // two's complement for the signed fields
    }
    Expect(!value.is_number_float(), path, "must be a whole number");
    Fail(path, "must be a number");
  }

  static std::string RangeMessage(const std::string& value, std::int64_t min, std::uint64_t max) {
    return StringPrintf("%s is out of range (%lld to %llu)", value.c_str(),
                        static_cast<long long>(min), static_cast<unsigned long long>(max));
  }

  static std::uint32_t ReadU32(const Json& object, const char* key, const std::string& path) {
    if (!object.contains(key)) return 0;
    return static_cast<std::uint32_t>(ReadInteger(object[key], Join(path, key), 0, 0xFFFFFFFFu));
  }

  static RawTriple ReadTriple(const Json& object, const char* key, const std::string& path,
                              bool isSigned) {
    RawTriple triple{};
    if (!object.contains(key)) return triple;
    std::string where = Join(path, key);
    const Json& array = object[key];
    Expect(array.is_array() && array.size() == kNumTeams, where,
           "must be an array of three numbers, one per team");
    for (std::size_t team = 0; team < kNumTeams; ++team) {
      std::string at = StringPrintf("%s[%zu]", where.c_str(), team);
      triple[team] = static_cast<std::uint32_t>(
          isSigned ? ReadInteger(array[team], at, std::numeric_limits<std::int32_t>::min(),
                                 std::numeric_limits<std::int32_t>::max())
                   : ReadInteger(array[team], at, 0, 0xFFFFFFFFu));
    }
    return triple;
  }

  static BuyBuckets ReadBuckets(const Json& object, const std::string& path) {
    BuyBuckets buckets{};
    if (!object.contains("m_dwBuyBuckets")) return buckets;
    std::string where = Join(path, "m_dwBuyBuckets");
    const Json& teams = object["m_dwBuyBuckets"];
    Expect(teams.is_array() && teams.size() <= kNumTeams, where,
           "must be an array of at most three arrays, one per team");
    for (std::size_t team = 0; team < teams.size(); ++team) {
      std::string at = StringPrintf("%s[%zu]", where.c_str(), team);
      const Json& row = teams[team];
      Expect(row.is_array() && row.size() <= kNumBuyBuckets, at,
             StringPrintf("must be an array of at most %zu numbers", kNumBuyBuckets));
      for (std::size_t k = 0; k < row.size(); ++k) {
        buckets[team][k] = static_cast<std::uint32_t>(
            ReadInteger(row[k], StringPrintf("%s[%zu]", at.c_str(), k), 0, 0xFFFFFFFFu));
      }
    }
    return buckets;
  }

  static std::array<float, 3> ReadPoint(const Json& object, const char* key,
                                        const std::string& path) {
    std::array<float, 3> point{};
    if (!object.contains(key)) return point;
    std::string where = Join(path, key);
    const Json& array = object[key];
    Expect(array.is_array() && array.size() == 3, where, "must be an array of three floats");
    for (std::size_t i = 0; i < 3; ++i) {
      point[i] = ReadFloat(array[i], StringPrintf("%s[%zu]", where.c_str(), i));
    }
    return point;
  }

  static float ReadFloat(const Json& value, const std::string& path) {
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

  static std::string ReadText(const Json& value, const std::string& path) {
    Expect(value.is_string(), path, "must be a string");
    std::string bytes;
    std::string error;
    Expect(Utf8ToBytes(value.get_ref<const std::string&>(), &bytes, &error), path, error);
    return bytes;
  }

  // A text stored in the file: no zero byte, at most kMaxNameLength bytes.
  static std::string ReadName(const Json& object, const char* key, const std::string& path) {
    if (!object.contains(key)) return {};
    std::string where = Join(path, key);
    std::string bytes = ReadText(object[key], where);
    Expect(bytes.find('\0') == std::string::npos, where, "a text cannot hold the byte 0");
    Expect(
        bytes.size() <= kMaxNameLength, where,
        StringPrintf("is %zu bytes long; a text holds at most %zu", bytes.size(), kMaxNameLength));
    return bytes;
  }

  static const Json* OptionalArray(const Json& object, const char* key, const std::string& path) {
    if (!object.contains(key)) return nullptr;
    const Json& array = object[key];
    Expect(array.is_array(), Join(path, key), "must be an array");
    return &array;
  }

  // The count stored for a list of `listSize` records (the list size when
  // the key is missing). A count that disagrees with a complete file's list
  // is written as given, with a warning.
  std::uint32_t ReadCount(const Json& object, const char* key, const std::string& path,
                          std::size_t listSize, const char* what) {
    Expect(listSize <= 0xFFFFFFFFu, Join(path, key), "too many records");
    if (!object.contains(key)) return static_cast<std::uint32_t>(listSize);
    auto count =
        static_cast<std::uint32_t>(ReadInteger(object[key], Join(path, key), 0, 0xFFFFFFFFu));
    if (count != listSize && complete_) {
      out_->warnings.push_back(StringPrintf(
          "%s is %u but %zu %s record%s listed; the file gets the count as given",
          Join(path, key).c_str(), count, listSize, what, listSize == 1 ? " is" : "s are"));
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
