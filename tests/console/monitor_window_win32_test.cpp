// morvane-cli monitor as a player runs it on Windows, against the fake game's console
// window: it learns the map and the player's name, counts kills and flags, answers the
// player's commands, loses no line under bursts with clears between, and stops when the
// game closes its window or on Ctrl-C.
#include <gtest/gtest.h>

#include <thread>

#include "capture/console/win32_console.h"
#include "support/window_game.h"
#include "files/saved_game.h"
#include "files/settings.h"
#include "support/fakes.h"
#include "support/paths.h"

namespace mrv::test {
namespace {

namespace fs = std::filesystem;

// morvane-cli --dir FOLDER/data monitor --save FOLDER/data/game.stg, in a console of
// its own, with the shipped files in its data folder.
class Monitor {
 public:
  explicit Monitor(const ScratchDir& scratch)
      : data_(scratch / "data"), out_(scratch / "monitor.out"), err_(scratch / "monitor.err") {
    fs::create_directory(data_);
    for (const char* file : {"stats.ini", "DeathMsgs.txt", "GameTexts.txt"}) {
      fs::copy_file(ShippedDir() / file, data_ / file);
    }
    tool_.emplace(BuiltProgram("morvane-cli"),
                  std::vector<std::string>{"--dir", data_.string(), "monitor", "--save",
                                           (data_ / "game.stg").string()},
                  out_, err_, true);
  }

  ChildProcess& tool() { return *tool_; }
  std::string out() const { return ReadFileBytes(out_); }
  std::string err() const { return ReadFileBytes(err_); }
  // True once the tool told the player this line.
  bool WaitForStatus(const std::string& line) {
    const auto deadline = std::chrono::steady_clock::now() + kPatience;
    while (err().find(line) == std::string::npos) {
      if (!tool_->running() || std::chrono::steady_clock::now() > deadline) return false;
      std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    return true;
  }
  // The saved game's maps, read with the shipped weapon table.
  StatsStore Saved() {
    FakePrompt prompt;
    EXPECT_TRUE(ReadWeaponSettings(data_, weapons, prompt));
    StatsStore store(weapons.size());
    std::string name;
    EXPECT_TRUE(LoadGame(store, data_ / "game.stg", name, prompt)) << err();
    return store;
  }
  // -1 when the map lacks one of the players or the weapon.
  int Kills(const MapRecord& map, std::string_view killer, std::string_view weapon,
            std::string_view victim) const {
    const int k = NickIndex(map, killer);
    const int w = weapons.FindWeaponByName(weapon);
    const int v = NickIndex(map, victim);
    return k < 0 || w < 0 || v < 0 ? -1 : map.kills(k, w, v);
  }

  WeaponTable weapons;

 private:
  fs::path data_;
  fs::path out_;
  fs::path err_;
  std::optional<ChildProcess> tool_;
};

TEST(MonitorWindowTest, AnEveningEndsWhenTheGameClosesItsWindow) {
  ScratchDir scratch("monitor-window-evening");
  const std::string script = WriteScript(
      scratch.path(), "evening.script",
      Then(GameStart("ut4_abbey"),
           {"print ^1Fak^7 joined the red team.", "print Some Player joined the blue team.",
            "print You hit Some Player in the Head.",
            "print Some Player got a lead enema from Fak's retro M4.",
            "print ^1Fak^7 has taken the ^4Blue^7 flag!", "print ^1Fak^7 captured the ^4Blue flag!",
            // The player's command, as the game echoes it.
            "print MrV_GeTmYsTaTs ",
            "expect 5000 ;ut_echo \" ^2Kills:^7 1     ^1Deaths:^7 0     ^4K/D:^7 perfect", "quit 0"}));
  Monitor monitor(scratch);  // searching before the game runs
  ASSERT_TRUE(monitor.WaitForStatus("Waiting for Quake3...")) << monitor.err();
  WindowGame game(scratch.path(), script);
  EXPECT_EQ(game.WaitForExit(), 0) << ReadFileBytes(scratch / "game.out");

  ASSERT_EQ(monitor.tool().Wait(kPatience), 0) << monitor.err();
  EXPECT_NE(monitor.err().find("Quake3 found!"), std::string::npos) << monitor.err();
  EXPECT_NE(monitor.err().find("Quake3 lost!"), std::string::npos) << monitor.err();
  const StatsStore saved = monitor.Saved();
  ASSERT_EQ(saved.size(), 1);
  const MapRecord& abbey = saved[0];
  EXPECT_EQ(abbey.name, "ut4_abbey");
  EXPECT_EQ(abbey.own_nick, "Fak");
  EXPECT_EQ(monitor.Kills(abbey, "Fak", "M4", "Some Player"), 1);
  EXPECT_EQ(abbey.hits[0], 1) << "the hit in the Head";
  ASSERT_GE(NickIndex(abbey, "Fak"), 0);
  EXPECT_EQ(abbey.caps[static_cast<std::size_t>(NickIndex(abbey, "Fak"))], 1);
  EXPECT_NE(monitor.out().find("ut4_abbey"), std::string::npos) << monitor.out();
}

TEST(MonitorWindowTest, LosesNoLineUnderBurstsWithClearsBetween) {
  ScratchDir scratch("monitor-window-bursts");
  // The same 6000 hit lines in 300 bursts as on a terminal console, with long lines
  // that make the console be cleared about every other burst. A terminal console holds
  // what the game printed however far the capture is behind; the window holds at most
  // 32767 characters. So every second burst, not every 25th, a command's answer comes
  // only once all before it was read: the game never runs further ahead than that.
  std::vector<std::string> lines = {"console", "print Rasec joined the blue team."};
  const std::string filler = "burst 40 " + std::string(100, '-');
  for (int burst = 1; burst <= 300; ++burst) {
    lines.insert(lines.end(), {"burst 20 You hit Rasec in the Chest.", filler, "sleep 1"});
    if (burst % 2 == 0) {
      lines.insert(lines.end(), {"print MRV_HEADSHOT ", "expect 20000 ut_echo Headshot sound"});
    }
  }
  lines.push_back("quit 0");
  Monitor monitor(scratch);  // searching before the game runs, as a player starts it
  ASSERT_TRUE(monitor.WaitForStatus("Waiting for Quake3...")) << monitor.err();
  WindowGame game(scratch.path(), WriteScript(scratch.path(), "bursts.script", lines));
  EXPECT_EQ(game.WaitForExit(std::chrono::minutes(3)), 0) << ReadFileBytes(scratch / "game.out");
  ASSERT_EQ(monitor.tool().Wait(kPatience), 0) << monitor.err();
  const StatsStore saved = monitor.Saved();
  ASSERT_EQ(saved.size(), 1);
  EXPECT_EQ(saved[0].hits[8], 6000) << "hits in the Chest";
}

TEST(MonitorWindowTest, CtrlCStopsTheCaptureAndShowsItsStats) {
  ScratchDir scratch("monitor-window-ctrl-c");
  const std::string script = WriteScript(
      scratch.path(), "long.script",
      Then(GameStart("ut4_casa"),
           {"print Rasec joined the blue team.",
            "print Rasec got a whole lot of hole from Fak's DE round.",
            // Answered once all before it was read.
            "print MRV_GETMYSTATS ", "expect 5000 ^2Kills:^7 1", "print Events done.",
            "sleep 60000"}));
  WindowGame game(scratch.path(), script);
  ASSERT_TRUE(game.WaitUntilShown());
  Monitor monitor(scratch);
  ASSERT_TRUE(monitor.WaitForStatus("Monitoring...")) << monitor.err();
  Win32Console player;
  ASSERT_TRUE(player.Find());
  ASSERT_NE(WaitForText(player, "Events done.").find("Events done."), std::string::npos)
      << ReadFileBytes(scratch / "game.out");
  ASSERT_TRUE(monitor.tool().Interrupt());
  ASSERT_EQ(monitor.tool().Wait(kPatience), 0) << monitor.err();
  const StatsStore saved = monitor.Saved();
  ASSERT_EQ(saved.size(), 1);
  EXPECT_EQ(saved[0].name, "ut4_casa");
  EXPECT_EQ(monitor.Kills(saved[0], "Fak", "Desert Eagle", "Rasec"), 1);
  EXPECT_TRUE(game.running()) << "the game outlives the capture";
}

}  // namespace
}  // namespace mrv::test
