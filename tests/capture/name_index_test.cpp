#include "capture/name_index.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

namespace mrv {
namespace {

// Two stores given the same steps, one through the index, one the plain way: finding a
// nickname on the last map, renaming on every map (names with and without the colour
// reset, in either letter case, short and long, onto names present or not), new maps,
// and maps that arrive with duplicates as a saved game brings them. Both must read the
// same.
TEST(NameIndexTest, AgreesWithThePlainWalkOverEveryMap) {
  std::vector<std::string> names = {"Blub",      "blub", "Blub^7", "BLUB^7", "Sn4ke",
                                    "[FU]Sn4ke", "Fak",  "fak^7",  "Rasec",  "x"};
  // 19 bytes, the longest spelling a slot of the index's lookup holds, and longer.
  for (const char* name : {"Nineteen_Characters", "NINETEEN_CHARACTERS^7", "[FU]A_Long_Nickname^7",
                           "[fu]a_long_nickname^7^7"}) {
    names.push_back(name);
  }
  std::mt19937 random(17);
  for (int round = 0; round < 300; ++round) {
    StatsStore indexed(2), plain(2);
    NameIndex index(indexed);
    auto pick = [&] { return names[random() % names.size()]; };
    for (int step = 0; step < 60; ++step) {
      const unsigned what = random() % 10;
      if (what == 0 || indexed.empty()) {
        NewMap(indexed, "m");
        NewMap(plain, "m");
        if (random() % 4 == 0) {
          std::vector<std::string> loaded = {pick(), pick(), pick()};
          AddNicks(indexed[indexed.size() - 1], loaded, 0);
          AddNicks(plain[plain.size() - 1], loaded, 0);
        }
      } else if (what < 4) {
        const std::string old_nick = pick();
        const std::string new_nick = pick();
        index.Rename(old_nick, new_nick);
        RenameInEveryMap(plain, old_nick, new_nick);
      } else {
        const std::string nick = pick();
        const auto team = static_cast<std::uint8_t>(random() % 3);
        ASSERT_EQ(index.FindOrAdd(indexed[indexed.size() - 1], nick, team),
                  FindOrAddNick(plain[plain.size() - 1], nick, team))
            << "round " << round << " step " << step << " " << nick;
      }
      // The last map is always up to date; the others once settled.
      ASSERT_EQ(indexed[indexed.size() - 1].nicks, plain[plain.size() - 1].nicks)
          << "round " << round << " step " << step;
      if (random() % 8 == 0) {
        index.Settle();
        for (int m = 0; m < plain.size(); ++m) {
          ASSERT_EQ(indexed[m].nicks, plain[m].nicks) << "round " << round << " map " << m;
          ASSERT_EQ(indexed[m].teams, plain[m].teams) << "round " << round << " map " << m;
        }
      }
    }
  }
}

}  // namespace
}  // namespace mrv
