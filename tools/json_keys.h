// The keys of the JSON form of a WUS file, defined once for the writer
// (wustool dump) and the reader (wustool make). Most are the field names of
// the format (docs/wus-format.md).
#pragma once

namespace wus::tool {

// The document.
inline constexpr char kJsonMagic[] = "magic";
inline constexpr char kJsonVersion[] = "version";
inline constexpr char kJsonTotalPlayersAliveTime[] = "m_dwTotalPlayersAliveTime";
inline constexpr char kJsonTotalPlayersMoneyRound[] = "m_dwTotalPlayersMoneyRound";
inline constexpr char kJsonTotalNumRespawns[] = "m_dwTotalNumRespawns";
inline constexpr char kJsonNumPlayers[] = "NumPlayers";
inline constexpr char kJsonPlayers[] = "players";
inline constexpr char kJsonEnd[] = "end";

// A player (m_Name also names a weapon's identifier).
inline constexpr char kJsonName[] = "m_Name";
inline constexpr char kJsonTotalShots[] = "TotalShots";
inline constexpr char kJsonTotalAliveTime[] = "m_dwTotalAliveTime";
inline constexpr char kJsonTotalMoneyRound[] = "m_dwTotalMoneyRound";
inline constexpr char kJsonNumRespawned[] = "m_dwNumRespawned";
inline constexpr char kJsonNumWeapons[] = "NumWeapons";
inline constexpr char kJsonWeapons[] = "weapons";

// A weapon.
inline constexpr char kJsonDisplayName[] = "m_DisplayName";
inline constexpr char kJsonNumBought[] = "m_dwNumBought";
inline constexpr char kJsonAuxCount[] = "m_dwAuxCount";
inline constexpr char kJsonNumShots[] = "m_dwNumShots";
inline constexpr char kJsonNumHits[] = "m_dwNumHits";
inline constexpr char kJsonNumKills[] = "m_dwNumKills";
inline constexpr char kJsonBuyBuckets[] = "m_dwBuyBuckets";
inline constexpr char kJsonNumHitRecords[] = "dwNumHits";
inline constexpr char kJsonHits[] = "hits";

// A hit.
inline constexpr char kJsonPos1[] = "m_Pos1";
inline constexpr char kJsonPos2[] = "m_Pos2";
inline constexpr char kJsonCode[] = "m_wCode";
inline constexpr char kJsonLethal[] = "m_bLethal";
inline constexpr char kJsonText[] = "m_Text";
inline constexpr char kJsonBoneName[] = "m_BoneName";

// "end": how the file ended. recordsWithLongTexts is only read: older
// dumps wrote it, when they cut long texts.
inline constexpr char kJsonComplete[] = "complete";
inline constexpr char kJsonTrailing[] = "trailing";
inline constexpr char kJsonTrailingBytes[] = "trailingBytes";
inline constexpr char kJsonFileSize[] = "fileSize";
inline constexpr char kJsonCutRecord[] = "cutRecord";
inline constexpr char kJsonFirstUnread[] = "firstUnread";
inline constexpr char kJsonLongTexts[] = "recordsWithLongTexts";

// A record named in "end": its kind, where it begins, its place in the lists.
inline constexpr char kJsonRecord[] = "record";
inline constexpr char kJsonOffset[] = "offset";
inline constexpr char kJsonPlayer[] = "player";
inline constexpr char kJsonWeapon[] = "weapon";
inline constexpr char kJsonHit[] = "hit";

}  // namespace wus::tool
