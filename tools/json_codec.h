// The JSON form of a WUS file, written by `wustool dump` and read by
// `wustool make`. Keys are the field names of the format ("m_dwNumKills",
// "NumWeapons", ...); docs/wus-format.md and wustool.1 show a whole document.
//
// - Texts are JSON strings whose characters stand for bytes (byte_text.h), so
//   any byte string survives the round trip.
// - A float is a number that reads back as the same float, or, where a number
//   cannot hold it, a string: "Infinity", "-Infinity", "NaN" (the quiet NaN
//   with the bits 0x7FC00000) or "0x" and eight hex digits, the float's bits
//   (dump writes that form for every other NaN; make takes it for any float).
// - The counts NumPlayers, NumWeapons and dwNumHits are the fields as stored;
//   make takes a missing count from its list.
// - Texts are whole, however long.
// - "end" tells how the file ended: whether it was complete, the bytes after
//   the last player ("trailing") and their count, its size, or the record
//   that the end cut ("cutRecord") and the first record that lay wholly past
//   it ("firstUnread"). make cuts its output at "fileSize" when "complete" is
//   false and appends "trailing" otherwise, so make(dump(F)) == F.
// - Every key is defined once, in json_keys.h.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "stats/wus_file.h"

namespace wus::tool {

// Appends `bytes` as a quoted JSON string (characters as in byte_text.h).
void AppendJsonText(std::string_view bytes, std::string* out);
// Appends `bytes` as part of a JSON string, without quotes: a text appended
// in pieces reads as the whole text appended at once.
void AppendJsonTextPiece(std::string_view bytes, std::string* out);

// Appends the JSON value of `value`: a number, or a string as above.
void AppendJsonFloat(float value, std::string* out);

// Returns true iff `text` is one of the string forms of a float above, and
// stores that float.
bool FloatFromJsonString(std::string_view text, float* value);

// A WUS file as a JSON document describes it.
struct WusDescription {
  // The records; every count field (header.numPlayers, record.numWeapons,
  // record.numHitRecords) holds the count to write.
  WusFile file;
  // Set iff the file is cut after this many bytes.
  std::optional<std::uint64_t> cutAt;
  // The bytes after the last player record.
  std::string trailing;
  // Things worth telling that do not stop the file from being written.
  std::vector<std::string> warnings;
};

// Returns true iff `json` is a well-formed description with every value in
// range, and fills `*description`; otherwise `*error` says what is wrong and
// where (for example "players[0].weapons[2].m_wCode: 70000 is out of range").
bool ParseWusJson(std::string_view json, WusDescription* description, std::string* error);

// Returns true iff the description can be written, and stores the bytes of
// the file; otherwise (a cut beyond the end of the records) says why.
bool EncodeDescription(const WusDescription& description, std::string* bytes, std::string* error);

}  // namespace wus::tool
