// The report's fixed texts, as Windows code page 1251 bytes. Each title is
// the text that reaches the report: where a title reads "%" the report shows
// one percent sign. The UTF-8 comment above each one gives its text.
#pragma once

namespace wus {

// "Использованные файлы :\n"
inline constexpr char kUsedFilesTitle[] =
    "\xc8\xf1\xef\xee\xeb\xfc\xe7\xee\xe2\xe0\xed\xed\xfb\xe5 \xf4\xe0\xe9\xeb\xfb :\n";
// "------------- Частота покупки оружия -------------\n\n"
inline constexpr char kWeaponPurchaseTitle[] =
    "------------- \xd7\xe0\xf1\xf2\xee\xf2\xe0 \xef\xee\xea\xf3\xef\xea\xe8 "
    "\xee\xf0\xf3\xe6\xe8\xff -------------\n\n";
// "------------- Количество убийств из оружия -------------\n\n"
inline constexpr char kWeaponKillTitle[] =
    "------------- \xca\xee\xeb\xe8\xf7\xe5\xf1\xf2\xe2\xee \xf3\xe1\xe8\xe9\xf1\xf2\xe2 "
    "\xe8\xe7 \xee\xf0\xf3\xe6\xe8\xff -------------\n\n";
// "------------- Эффективность оружия, %  ( Убийства/Попадания )-------------\n\n"
inline constexpr char kWeaponEfficiencyTitle[] =
    "------------- \xdd\xf4\xf4\xe5\xea\xf2\xe8\xe2\xed\xee\xf1\xf2\xfc \xee\xf0\xf3\xe6\xe8\xff, "
    "%  ( \xd3\xe1\xe8\xe9\xf1\xf2\xe2\xe0/\xcf\xee\xef\xe0\xe4\xe0\xed\xe8\xff )"
    "-------------\n\n";
// "------------- Точность оружия, % ( Попадания/Выстрелы )-------------\n\n"
inline constexpr char kWeaponAccuracyTitle[] =
    "------------- \xd2\xee\xf7\xed\xee\xf1\xf2\xfc \xee\xf0\xf3\xe6\xe8\xff, "
    "% ( \xcf\xee\xef\xe0\xe4\xe0\xed\xe8\xff/\xc2\xfb\xf1\xf2\xf0\xe5\xeb\xfb )-------------\n\n";
// "------------- Эффективность по дальности -------------\n\n"
inline constexpr char kRangeEffectivenessTitle[] =
    "------------- \xdd\xf4\xf4\xe5\xea\xf2\xe8\xe2\xed\xee\xf1\xf2\xfc \xef\xee "
    "\xe4\xe0\xeb\xfc\xed\xee\xf1\xf2\xe8 -------------\n\n";
// "------------- \tПопадания по костям\t -------------\n\n"
inline constexpr char kHitsByBoneTitle[] =
    "------------- \t\xcf\xee\xef\xe0\xe4\xe0\xed\xe8\xff \xef\xee \xea\xee\xf1\xf2\xff\xec\t "
    "-------------\n\n";
// "------------- \tСмертельные попадания по костям\t -------------\n\n"
inline constexpr char kLethalHitsByBoneTitle[] =
    "------------- \t\xd1\xec\xe5\xf0\xf2\xe5\xeb\xfc\xed\xfb\xe5 "
    "\xef\xee\xef\xe0\xe4\xe0\xed\xe8\xff \xef\xee \xea\xee\xf1\xf2\xff\xec\t -------------\n\n";
// "------------- Среднее количество заработанных денег, (Заработанные
// деньги/кол-во респавнов) -------------\n\n"
inline constexpr char kAverageMoneyTitle[] =
    "------------- \xd1\xf0\xe5\xe4\xed\xe5\xe5 \xea\xee\xeb\xe8\xf7\xe5\xf1\xf2\xe2\xee "
    "\xe7\xe0\xf0\xe0\xe1\xee\xf2\xe0\xed\xed\xfb\xf5 \xe4\xe5\xed\xe5\xe3, "
    "(\xc7\xe0\xf0\xe0\xe1\xee\xf2\xe0\xed\xed\xfb\xe5 \xe4\xe5\xed\xfc\xe3\xe8/"
    "\xea\xee\xeb-\xe2\xee \xf0\xe5\xf1\xef\xe0\xe2\xed\xee\xe2) -------------\n\n";
// "------------- Покупаемость предметов -------------\n\n"
inline constexpr char kItemPurchaseTitle[] =
    "------------- \xcf\xee\xea\xf3\xef\xe0\xe5\xec\xee\xf1\xf2\xfc "
    "\xef\xf0\xe5\xe4\xec\xe5\xf2\xee\xe2 -------------\n\n";
// "------------- Среднее время жизни игрока, сек. -------------\n\n"
inline constexpr char kAverageLifetimeTitle[] =
    "------------- \xd1\xf0\xe5\xe4\xed\xe5\xe5 \xe2\xf0\xe5\xec\xff \xe6\xe8\xe7\xed\xe8 "
    "\xe8\xe3\xf0\xee\xea\xe0, \xf1\xe5\xea. -------------\n\n";

// The caption of the total column: "\tОбщая\t" and "\tОбщее\t".
inline constexpr char kTotalCaptionFeminine[] = "\t\xce\xe1\xf9\xe0\xff\t";
inline constexpr char kTotalCaptionNeuter[] = "\t\xce\xe1\xf9\xe5\xe5\t";

// Team labels by team index.
inline constexpr const char* kTeamLabels[] = {"DM Team", "Green Team", "Blue Team"};

}  // namespace wus
