// A live capture killed outright: morvane-cli monitor follows the scripted fake game
// under the real bridge and gets SIGKILL at several moments. Its journal must give back
// every line that reached it at least two seconds before the kill, and nothing the game
// never printed.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <mutex>
#include <set>
#include <thread>

#include "capture/console/bridge_console.h"
#include "files/capture_options.h"
#include "files/saved_game.h"
#include "files/settings.h"
#include "support/bridge_harness.h"
#include "support/fakes.h"
#include "support/paths.h"
#include "support/unsaved_capture.h"

namespace mrv::test {
namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;
using std::chrono::milliseconds;

constexpr int kVictims = 320;  // one every 50 ms: 16 s of kills
constexpr auto kOnDisk = milliseconds(2000);

// morvane-cli --dir DIR ARGS... with the bridge's socket in DIR; its output goes to
// DIR/NAME.out and DIR/NAME.err.
pid_t StartTool(const fs::path& dir, const std::string& name, const std::vector<std::string>& args) {
  std::vector<std::string> command = {(fs::path(MORVANE_BIN_DIR) / "morvane-cli").string(),
                                      "--dir", dir.string()};
  command.insert(command.end(), args.begin(), args.end());
  const std::string out = (dir / (name + ".out")).string();
  const std::string err = (dir / (name + ".err")).string();
  const pid_t child = fork();
  if (child != 0) return child;
  setenv("XDG_RUNTIME_DIR", dir.c_str(), 1);
  if (!freopen("/dev/null", "r", stdin) || !freopen(out.c_str(), "w", stdout) ||
      !freopen(err.c_str(), "w", stderr)) {
    _exit(126);
  }
  std::vector<char*> argv;
  for (auto& arg : command) argv.push_back(arg.data());
  argv.push_back(nullptr);
  execv(argv[0], argv.data());
  _exit(127);
}

int Wait(pid_t child) {
  int status = 0;
  waitpid(child, &status, 0);
  return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
}

// When each victim's kill line first showed in the console, as a player's client of the
// bridge sees it.
class Observer {
 public:
  explicit Observer(const fs::path& socket) : console_(socket) {
    thread_ = std::thread([this] { Watch(); });
  }
  ~Observer() {
    done_ = true;
    thread_.join();
  }
  std::map<int, Clock::time_point> seen() {
    std::lock_guard lock(mutex_);
    return seen_;
  }

 private:
  void Watch() {
    while (!done_) {
      if (!console_.Find()) {
        std::this_thread::sleep_for(milliseconds(10));
        continue;
      }
      // Nothing is dropped: the bridge keeps the text for the captures that start later.
      const std::string text = console_.Text();
      const auto now = Clock::now();
      {
        std::lock_guard lock(mutex_);
        for (std::size_t at = text.find("Victim"); at != std::string::npos;
             at = text.find("Victim", at + 1)) {
          seen_.emplace(std::atoi(text.c_str() + at + 6), now);
        }
      }
      console_.WaitForChange(milliseconds(10));
    }
  }

  BridgeConsole console_;
  std::atomic<bool> done_{false};
  std::mutex mutex_;
  std::map<int, Clock::time_point> seen_;
  std::thread thread_;
};

TEST(JournalKillTest, ACaptureKilledAtAnyMomentKeepsWhatReachedItsJournal) {
  ScratchDir dir("journal-kill");
  for (const char* file : {"stats.ini", "DeathMsgs.txt"}) fs::copy_file(ShippedDir() / file, dir / file);
  // Announcements would pause the captures; every line is read as it comes.
  CaptureOptions options;
  options.frag_announcements = options.streak_announcements = false;
  ASSERT_TRUE(SaveCaptureOptions(dir.path(), options));
  std::vector<std::string> script = Then(GameStart("ut4_abbey"), {"print Rasec joined the blue team."});
  script.erase(std::remove_if(script.begin(), script.end(),
                              [](const std::string& line) { return line.starts_with("expect"); }),
               script.end());
  for (int i = 0; i < kVictims; ++i) {
    script.push_back("print Victim" + std::to_string(i) + " got a lead enema from Fak's retro M4.");
    script.push_back("sleep 50");
  }
  BridgeRun game(dir.path(), WriteScript(dir.path(), "kills.script", script), "bridge.log",
                 "morvane-console.sock");
  ASSERT_TRUE(game.WaitUntilServing()) << game.messages();
  Observer observer(game.socket());

  // Three captures, started one after another (the later ones read what the game printed
  // before them at once), each killed some seconds after its game start's pauses (up to
  // 4.9 s, while the map has no name), when it reads every line as it comes.
  struct Capture {
    pid_t pid = -1;
    fs::path journal;
    Clock::time_point killed;
  };
  std::vector<Capture> captures(3);
  const milliseconds lives[] = {milliseconds(7000), milliseconds(8500), milliseconds(10000)};
  const auto start = Clock::now();
  for (std::size_t i = 0; i < captures.size(); ++i) {
    std::this_thread::sleep_until(start + milliseconds(1100) * static_cast<int>(i));
    const std::set<fs::path> before = JournalFiles(dir.path());
    captures[i].pid = StartTool(dir.path(), "monitor" + std::to_string(i), {"monitor"});
    const auto started = Clock::now();
    while (captures[i].journal.empty() && Clock::now() < started + kPatience) {
      for (const fs::path& file : JournalFiles(dir.path())) {
        if (!before.contains(file)) captures[i].journal = file;
      }
      std::this_thread::sleep_for(milliseconds(5));
    }
    ASSERT_FALSE(captures[i].journal.empty()) << ReadFileBytes(dir / ("monitor" + std::to_string(i) + ".err"));
    captures[i].killed = started + lives[i];
  }
  for (Capture& capture : captures) {
    std::this_thread::sleep_until(capture.killed);
    kill(capture.pid, SIGKILL);
    capture.killed = Clock::now();
    EXPECT_EQ(Wait(capture.pid), 128 + SIGKILL);
  }

  const std::map<int, Clock::time_point> seen = observer.seen();
  ASSERT_GT(seen.size(), 100u);
  FakePrompt prompt;
  WeaponTable weapons;
  ASSERT_TRUE(ReadWeaponSettings(dir.path(), weapons, prompt));
  const int m4 = weapons.FindWeaponByName("M4");
  for (std::size_t i = 0; i < captures.size(); ++i) {
    const std::string name = "recover" + std::to_string(i);
    const fs::path saved = dir / (name + ".stg");
    ASSERT_EQ(Wait(StartTool(dir.path(), name,
                             {"recover", captures[i].journal.string(), "--save", saved.string()})),
              0)
        << ReadFileBytes(dir / (name + ".err"));
    EXPECT_FALSE(fs::exists(captures[i].journal)) << "saved: the journal goes";
    StatsStore store(weapons.size());
    std::string game_name;
    ASSERT_TRUE(LoadGame(store, saved, game_name, prompt));
    std::set<int> counted;
    for (const auto& map : store.maps) {
      const int fak = NickIndex(*map, "Fak");
      for (int v = 0; v < map->nick_count(); ++v) {
        if (fak >= 0 && map->nicks[v].starts_with("Victim") && map->kills(fak, m4, v) == 1) {
          counted.insert(std::atoi(map->nicks[v].c_str() + 6));
        }
      }
    }
    int required = 0;
    for (const auto& [victim, when] : seen) {
      if (when + kOnDisk <= captures[i].killed) {
        ++required;
        EXPECT_TRUE(counted.contains(victim)) << "capture " << i << " lost Victim" << victim;
      }
    }
    EXPECT_GT(required, 20) << "capture " << i;
    // The figures of each kill, for whoever reads the test's output.
    std::printf("capture %zu killed: %d kills printed 2 s before, %zu recovered\n", i, required,
                counted.size());
    std::fflush(stdout);  // before the next tool is forked with a copy of the buffer
    for (const int victim : counted) {
      EXPECT_TRUE(seen.contains(victim) && seen.at(victim) <= captures[i].killed)
          << "capture " << i << " counted Victim" << victim << ", printed after its kill";
    }
  }
}

}  // namespace
}  // namespace mrv::test
