// wus_browser_inputs DIR: writes the browser test's WUS files into DIR: the
// golden corpus of the end-to-end report, then a match whose player, weapon
// and bone names are markup and script ("<img src=x onerror=...>",
// "</script><script>..."), which the page must show as text, and whose
// ratios are ties at two decimals.
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

#include "tests/golden_inputs.h"
#include "tests/test_util.h"

namespace {

wus::WusFile HostileMatch() {
  wus::WusFile file;
  file.header = wus::MakeHeader(2);
  file.header.totalPlayersAliveTime = {5000, 0, 0};
  file.header.totalNumRespawns = {2, 0, 0};
  wus::WusPlayer player;
  player.record.name = "<img src=x onerror=alert(1)>";
  player.record.totalShots = 4;
  player.record.totalAliveTime = {5000, 0, 0};
  player.record.totalMoneyRound = {5, 0, 0};  // 5 over 8 respawns: 0,625, a tie
  player.record.numRespawned = {8, 0, 0};
  wus::WusWeapon weapon = wus::test::MakeWeapon("wpn_</script><script>alert(2)</script>",
                                                "</script><script>alert(3)</script>");
  // Kills per hit and hits per shot are 1/8, a tie at two decimals that
  // "%.2f" rounds to even (0,12) where JavaScript's toFixed rounds up.
  weapon.record.numShots = 64;
  weapon.record.numHits = 8;
  weapon.record.numKills = 1;
  weapon.record.numBought = 1;
  weapon.record.buyBuckets[0][1] = 1;
  weapon.hits = {wus::test::MakeHit({0, 0, 0}, {1, 0, 0}, true, "<b onmouseover=alert(4)>x</b>"),
                 wus::test::MakeHit({0, 0, 0}, {2, 0, 0}, false, "bip01_head")};
  player.weapons = {weapon};
  wus::WusPlayer other;
  other.record.name = "\xC8\xE2\xE0\xED \x98 & \"quotes\" \xE2\x80\xA8";  // cp1251 "Иван", 0x98
  file.players = {player, other};
  return file;
}

bool WriteFile(const std::filesystem::path& path, const std::string& bytes) {
  std::ofstream out(path, std::ios::binary);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  return static_cast<bool>(out.flush());
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: wus_browser_inputs DIR\n");
    return 2;
  }
  const std::filesystem::path dir = argv[1];
  std::filesystem::create_directories(dir);
  bool ok = true;
  for (const auto& [name, bytes] : wus::test::GoldenInputs())
    ok = ok && WriteFile(dir / name, bytes);
  ok = ok && WriteFile(dir / "(Zulu)_(Hostile)_9.wus", wus::EncodeWusFile(HostileMatch()));
  if (!ok) std::fprintf(stderr, "cannot write the inputs into %s\n", argv[1]);
  return ok ? 0 : 1;
}
