// A data folder and file names in any script: a user name in Cyrillic or Japanese, a
// profile named with accents. On Windows every file is reached through the wide API,
// so nothing goes through the local code page.
#include <gtest/gtest.h>

#include "files/path_text.h"
#include "files/profile_add_game.h"
#include "files/profile_store.h"
#include "files/safe_file.h"
#include "files/saved_game.h"
#include "files/settings.h"
#include "support/fakes.h"
#include "support/paths.h"

namespace mrv {
namespace {

namespace fs = std::filesystem;

TEST(NamesInAnyScriptTest, ADataFolderAndProfilesNamedInAnyScriptWork) {
  test::ScratchDir scratch("any-script");
  const fs::path dir = scratch.path() / PathFromUtf8("Дмитрий 日本 Données");
  ASSERT_TRUE(fs::create_directories(dir));
  fs::copy_file(test::ShippedDir() / "stats.ini", dir / "stats.ini");
  test::FakePrompt prompt;
  WeaponTable weapons;
  ASSERT_TRUE(ReadWeaponSettings(dir, weapons, prompt));

  // A saved game there, by a name in another script, written and read back.
  StatsStore game(weapons.size());
  MapRecord& map = NewMap(game, "ut4_abbey");
  AddNick(map, "Fak", 1);
  map.own_nick = "Fak";
  map.duration = 600;
  const fs::path saved = dir / PathFromUtf8("ゲーム.stg");
  ASSERT_TRUE(SaveGame(game, saved, "g", prompt));
  StatsStore loaded(weapons.size());
  std::string name;
  ASSERT_TRUE(LoadGame(loaded, saved, name, prompt));
  EXPECT_EQ(loaded[0].own_nick, "Fak");

  // A profile named with accents and ideographs: listed by the name it was created
  // with, opened by it, changed under its lock, and its file replaced safely.
  const std::string profile = "Jöe 日本.mrv";
  ProfileStore profile_store(dir, weapons.size());
  ASSERT_TRUE(profile_store.CreateProfileFile(profile, "Fak", {})) << profile_store.LastError();
  const std::vector<std::string> listed = profile_store.FillProfileList();
  ASSERT_EQ(listed.size(), 2u);
  EXPECT_EQ(listed[1], profile);
  ASSERT_TRUE(profile_store.Open(listed[1]));
  SilentPrompt silent;
  ASSERT_TRUE(AddGameToProfile(loaded, "first", profile_store, silent)) << profile_store.LastError();
  std::vector<std::string> games;
  ASSERT_TRUE(profile_store.ListGames(games));
  EXPECT_EQ(games, std::vector<std::string>{"first"});
  EXPECT_EQ(Utf8FromPath(PathFromUtf8(profile)), profile);
  EXPECT_TRUE(fs::exists(dir / PathFromUtf8(profile)));
  EXPECT_EQ(ReplaceFileSafely(dir / PathFromUtf8("Jöe 日本.txt"), "x"), ReplaceResult::kReplaced);
}

}  // namespace
}  // namespace mrv
