// The tables of sample_catalog.h. Cyrillic texts are written here in UTF-8
// and converted to code page 1251 once, on first use.
#include "tools/sample_catalog.h"

#include <stdexcept>

#include "text/format.h"
#include "tools/byte_text.h"

namespace wus::tool {
namespace {

std::string Cp1251(std::string_view utf8) {
  std::string bytes;
  std::string error;
  if (!Utf8ToBytes(utf8, &bytes, &error)) throw std::logic_error("sample catalog: " + error);
  return bytes;
}

std::vector<std::string> Cp1251List(std::initializer_list<const char*> utf8) {
  std::vector<std::string> list;
  for (const char* text : utf8) list.push_back(Cp1251(text));
  return list;
}

struct WeaponClass {
  float minRange, maxRange;
  std::uint32_t firstBucket, lastBucket;
  std::uint16_t hitCode;
  double lethalFactor;
};

constexpr WeaponClass kPistol{2, 35, 0, 2, 1, 0.8};
constexpr WeaponClass kSmg{3, 45, 2, 4, 1, 0.9};
constexpr WeaponClass kShotgun{1, 18, 2, 5, 1, 1.3};
constexpr WeaponClass kRifle{5, 90, 4, 9, 1, 1.0};
constexpr WeaponClass kSniper{20, 190, 9, 15, 1, 1.6};
constexpr WeaponClass kMachineGun{5, 110, 8, 12, 1, 1.1};
constexpr WeaponClass kMelee{0.5f, 2.2f, 0, 0, 3, 0.7};
constexpr WeaponClass kExplosive{2, 30, 0, 1, 2, 1.4};
constexpr WeaponClass kItem{0, 0, 0, 1, 0, 0};

SampleWeapon Weapon(const char* id, const char* displayUtf8, const WeaponClass& c) {
  return SampleWeapon{id,           Cp1251(displayUtf8), c.maxRange > 0,
                      c.minRange,   c.maxRange,          c.firstBucket,
                      c.lastBucket, c.hitCode,           c.lethalFactor};
}

}  // namespace

const std::vector<SampleWeapon>& SampleWeapons() {
  static const std::vector<SampleWeapon> weapons = {
      Weapon("wpn_pm", "ПМ", kPistol),
      Weapon("wpn_fort", "Fort-12", kPistol),
      Weapon("wpn_usp45", "USP .45", kPistol),
      Weapon("wpn_beretta", "Beretta 92", kPistol),
      Weapon("wpn_mp5", "MP5", kSmg),
      Weapon("wpn_bizon", "ПП-19 Бизон", kSmg),
      Weapon("wpn_ak74", "АК-74", kRifle),
      Weapon("wpn_abakan", "АН-94 Абакан", kRifle),
      Weapon("wpn_m4a1", "M4A1", kRifle),
      Weapon("wpn_groza", "ОЦ-14 Гроза", kRifle),
      Weapon("wpn_svd", "СВД", kSniper),
      Weapon("wpn_vintorez", "ВСС Винторез", kSniper),
      Weapon("wpn_gauss", "Gauss rifle", kSniper),
      Weapon("wpn_toz34", "ТОЗ-34", kShotgun),
      Weapon("wpn_spas12", "SPAS-12", kShotgun),
      Weapon("wpn_rpk", "РПК", kMachineGun),
      Weapon("wpn_knife", "Knife", kMelee),
      Weapon("wpn_binoc", "Binoculars", kItem),
      Weapon("grenade", "F-1 Grenade", kExplosive),
      Weapon("grenade_rgd5", "RGD-5", kExplosive),
      Weapon("medkit", "Medkit", kItem),
      Weapon("bandage", "Bandage", kItem),
      Weapon("antirad", "Anti-rad", kItem),
  };
  return weapons;
}

SampleWeapon ExtraSampleWeapon(std::uint32_t n) {
  return Weapon(StringPrintf("wpn_proto_%u", n).c_str(), StringPrintf("Prototype %u", n).c_str(),
                kRifle);
}

const std::vector<SampleBone>& SampleBones() {
  static const std::vector<SampleBone> bones = {
      {"bip01_head", 8, 0.65},       {"bip01_neck", 3, 0.40},       {"bip01_spine", 14, 0.20},
      {"bip01_spine1", 12, 0.20},    {"bip01_spine2", 10, 0.25},    {"bip01_pelvis", 8, 0.15},
      {"bip01_l_upperarm", 5, 0.05}, {"bip01_r_upperarm", 5, 0.05}, {"bip01_l_forearm", 4, 0.03},
      {"bip01_r_forearm", 4, 0.03},  {"bip01_l_hand", 2, 0.02},     {"bip01_r_hand", 2, 0.02},
      {"bip01_l_thigh", 6, 0.08},    {"bip01_r_thigh", 6, 0.08},    {"bip01_l_calf", 4, 0.04},
      {"bip01_r_calf", 4, 0.04},     {"bip01_l_foot", 2, 0.02},     {"bip01_r_foot", 2, 0.02},
  };
  return bones;
}

std::uint32_t TotalBoneWeight() {
  static const std::uint32_t total = [] {
    std::uint32_t sum = 0;
    for (const SampleBone& bone : SampleBones()) sum += bone.weight;
    return sum;
  }();
  return total;
}

// Words that a spreadsheet would read as something else (TRUE, month names)
// are left out on purpose.
const std::vector<std::string>& LatinAdjectives() {
  static const std::vector<std::string> words = {
      "Silent", "Dark",   "Crazy",  "Red",   "Iron",  "Lucky",  "Swift", "Grim",
      "Wild",   "Cold",   "Mad",    "Brave", "Sly",   "Toxic",  "Rusty", "Lone",
      "Black",  "Frozen", "Angry",  "Quiet", "Happy", "Sneaky", "Rapid", "Heavy",
      "Golden", "Savage", "Little", "Big",   "Old",   "Young",  "Night", "Steel"};
  return words;
}

const std::vector<std::string>& LatinNouns() {
  static const std::vector<std::string> words = {
      "Wolf",   "Fox",   "Bear",   "Hawk",   "Viper",  "Ghost",  "Raven",  "Tiger",
      "Shark",  "Cobra", "Falcon", "Lynx",   "Badger", "Hunter", "Sniper", "Stalker",
      "Ranger", "Rogue", "Shadow", "Storm",  "Blade",  "Bullet", "Spike",  "Tank",
      "Medic",  "Scout", "Reaper", "Hammer", "Arrow",  "Comet",  "Pilot",  "Nomad"};
  return words;
}

const std::vector<std::string>& CyrillicAdjectives() {
  static const std::vector<std::string> words =
      Cp1251List({"Тихий", "Злой", "Хитрый", "Старый", "Быстрый", "Дикий", "Серый", "Чёрный",
                  "Красный", "Железный", "Бешеный", "Лихой"});
  return words;
}

const std::vector<std::string>& CyrillicNouns() {
  static const std::vector<std::string> words =
      Cp1251List({"Волк", "Лис", "Медведь", "Сокол", "Ёжик", "Кот", "Снайпер", "Сталкер", "Бродяга",
                  "Призрак", "Ворон", "Шакал", "Барсук", "Тигр"});
  return words;
}

const std::vector<std::string>& ClanTags() {
  static const std::vector<std::string> tags = {"[RU]",  "[KGB]",  "[UA]",   "[Pro]",
                                                "[XxX]", "[Duty]", "[NoobS]"};
  return tags;
}

const std::vector<std::string>& TeamNames() {
  static const std::vector<std::string> names = {
      "Alpha", "Bravo",   "Charlie", "Delta",   "Echo",  "Wolves",   "Bears",  "Stalkers",
      "Duty",  "Freedom", "Loners",  "Bandits", "Mercs", "Monolith", "Ravens", "Vipers"};
  return names;
}

}  // namespace wus::tool
