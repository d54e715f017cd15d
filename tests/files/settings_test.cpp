#include "files/settings.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "files/capture_options.h"
#include "files/console_choice.h"
#include "support/fakes.h"
#include "support/paths.h"

namespace mrv {
namespace {

std::string WithWeapons(const std::string& weapons) {
  return "[program]\r\nfile1=C:\\logs\\a.log\r\n\r\n[data]\r\nweapons=" + weapons + "\r\n";
}

TEST(SettingsTest, WeaponTableRules) {
  struct Case {
    std::string value;
    int entries;  // -1: refused silently, -2: refused with the duplicate message
  };
  // clang-format off
  const Case cases[] = {
      {"aKnife;bPistol", 2}, {"aKnife;bPistol;", 2}, {"aKnife;AKnife2", 2},
      {"aKnife; bPistol", 2}, {"\xFD" "Admin;\xFFUnknown", 2},
      {"aKnife;;bPistol", -1}, {";aKnife", -1}, {"a", -1}, {"", -1},
      {"aKnife;aPistol", -2}, {"aKnife;bKnife", -2}, {"aKnife;aKnife", -2},
  };
  // clang-format on
  test::ScratchDir dir("settings-weapons");
  for (const auto& c : cases) {
    SCOPED_TRACE(c.value);
    test::WriteFileBytes(dir / kSettingsFileName, WithWeapons(c.value));
    test::FakePrompt prompt;
    WeaponTable weapons;
    const bool loaded = ReadWeaponSettings(dir.path(), weapons, prompt);
    EXPECT_EQ(loaded, c.entries > 0);
    if (loaded) {
      EXPECT_EQ(weapons.size(), c.entries);
    }
    ASSERT_EQ(prompt.shown.size(), c.entries == -2 ? 1u : 0u);
    if (c.entries == -2) {
      EXPECT_EQ(prompt.shown[0].text, kDuplicateWeaponMessage);
    }
    // The command-line reader never touches the file.
    EXPECT_EQ(test::ReadFileBytes(dir / kSettingsFileName), WithWeapons(c.value));
  }
  test::WriteFileBytes(dir / kSettingsFileName, WithWeapons("aKnife; bPistol;"));
  test::FakePrompt prompt;
  WeaponTable weapons;
  ASSERT_TRUE(ReadWeaponSettings(dir.path(), weapons, prompt));
  EXPECT_EQ(weapons.code(1), ' ');
  EXPECT_EQ(weapons.name(1), "bPistol");
  EXPECT_EQ(weapons.FindWeaponByName("Knife"), 0);
}

TEST(SettingsTest, StartCountsStartsAndShowsTheAboutWindowOnce) {
  test::ScratchDir dir("settings-start");
  test::FakePrompt prompt;
  int abouts = 0;
  const auto about = [&] { ++abouts; };
  Settings settings;
  WeaponTable weapons;
  EXPECT_FALSE(LoadSettings(dir.path(), settings, weapons, prompt, about));
  EXPECT_FALSE(std::filesystem::exists(dir / kSettingsFileName));
  EXPECT_EQ(abouts, 0);

  test::WriteFileBytes(dir / kSettingsFileName, WithWeapons("aKnife;bPistol"));
  ASSERT_TRUE(LoadSettings(dir.path(), settings, weapons, prompt, about));
  EXPECT_EQ(abouts, 1);
  EXPECT_EQ(test::ReadFileBytes(dir / kSettingsFileName),
            "[program]\r\nfile1=C:\\logs\\a.log\r\nInitiationCount=1\r\n\r\n"
            "[data]\r\nweapons=aKnife;bPistol\r\n");
  EXPECT_EQ(settings.recent_files, (std::array<std::string, 3>{"C:\\logs\\a.log", "", ""}));
  // No last directory yet: each dialog chooses its own start.
  EXPECT_EQ(settings.last_dir, "");
  EXPECT_EQ(settings.save_last_dir, "");
  EXPECT_TRUE(settings.writable);
  EXPECT_EQ(weapons.size(), 2);

  // A read-only file still starts the program, which learns that nothing will be kept.
  std::filesystem::permissions(dir / kSettingsFileName, std::filesystem::perms::owner_read);
  ASSERT_TRUE(LoadSettings(dir.path(), settings, weapons, prompt, about));
  EXPECT_FALSE(settings.writable);
  EXPECT_EQ(abouts, 1);
  std::filesystem::permissions(dir / kSettingsFileName, std::filesystem::perms::owner_all);

  // The count grows even when the weapons then fail.
  test::WriteFileBytes(dir / kSettingsFileName,
                       "[Program]\r\ninitiationcount=1\r\n[data]\r\nweapons=aKnife;aKnife\r\n");
  EXPECT_FALSE(LoadSettings(dir.path(), settings, weapons, prompt, about));
  EXPECT_EQ(abouts, 1);
  EXPECT_EQ(test::ReadFileBytes(dir / kSettingsFileName),
            "[Program]\r\ninitiationcount=2\r\n[data]\r\nweapons=aKnife;aKnife\r\n");
  EXPECT_EQ(prompt.shown.size(), 1u);
}

TEST(SettingsTest, SavesAndReadsBackTheViewerGeometry) {
  test::ScratchDir dir("settings-save");
  Settings settings{{"C:\\x.log", "/home/me/y.log", ""}, "C:\\logs\\", "D:\\"};
  ViewerGeometry geometry{{5, 6, 900, 600}, true, std::nullopt, WindowGeometry{1, 2, 3, 4},
                          WindowGeometry{0, 0, 1000, 400}};
  EXPECT_FALSE(SaveSettings(dir.path(), settings, geometry));
  EXPECT_FALSE(ReadViewerGeometry(dir.path()));
  EXPECT_FALSE(std::filesystem::exists(dir / kSettingsFileName));

  test::WriteFileBytes(dir / kSettingsFileName, WithWeapons("aKnife"));
  ASSERT_TRUE(SaveSettings(dir.path(), settings, geometry));
  Settings loaded;
  WeaponTable weapons;
  test::FakePrompt prompt;
  ASSERT_TRUE(LoadSettings(dir.path(), loaded, weapons, prompt, [] {}));
  EXPECT_EQ(loaded.recent_files, settings.recent_files);
  EXPECT_EQ(loaded.last_dir, settings.last_dir);
  EXPECT_EQ(loaded.save_last_dir, settings.save_last_dir);
  const auto read = ReadViewerGeometry(dir.path());
  ASSERT_TRUE(read);
  EXPECT_EQ(read->viewer, (WindowGeometry{5, 6, 900, 600}));
  EXPECT_TRUE(read->viewer_maximised);
  EXPECT_EQ(read->one_on_one, (WindowGeometry{0, 0, 1000, 400}));
  EXPECT_EQ(read->overall, WindowGeometry{});  // never written: all 0
  EXPECT_EQ(read->weapon_details, (WindowGeometry{1, 2, 3, 4}));
  EXPECT_EQ(test::ReadFileBytes(dir / kSettingsFileName).find("allwindow"), std::string::npos);

  // A path the file cannot hold leaves the stored one.
  settings.recent_files[0] = "two\nlines";
  ASSERT_TRUE(SaveSettings(dir.path(), settings, geometry));
  ASSERT_TRUE(LoadSettings(dir.path(), loaded, weapons, prompt, [] {}));
  EXPECT_EQ(loaded.recent_files[0], "C:\\x.log");
}

TEST(SettingsTest, ShortensPathsForTheRecentFileLines) {
  EXPECT_EQ(ShortenPath(40, "C:\\Documents\\Game Installation\\logfiles\\console.log"),
            "C:\\...\\Game Installation\\logfiles\\console.log");
  EXPECT_EQ(ShortenPath(40, "C:\\a\\b\\" + std::string(52, 'd') + "\\f.log"),
            "C:\\a\\b\\...\\f.log");
  EXPECT_EQ(ShortenPath(40, "C:\\short\\path.log"), "C:\\short\\path.log");
  EXPECT_EQ(ShortenPath(40, std::string(60, 'x') + "\\f.log"), "...\\f.log");
  EXPECT_EQ(ShortenPath(40, "/home/player/" + std::string(40, 'q') + "/qconsole.log", '/'),
            "/home/player/.../qconsole.log");

  const auto labels = RefreshRecentLabels({"a.log", "", "b.log"});
  EXPECT_EQ(labels[0].caption + "|" + labels[1].caption, "1 - a.log|2 - ");
  EXPECT_EQ(labels[2].hint, "b.log");
}

TEST(SettingsTest, CaptureOptionsAndConsoleChoice) {
  test::ScratchDir dir("settings-monitor");
  CaptureOptions options;
  options.cyclic_stats = true;
  const CaptureOptions before = options;
  EXPECT_FALSE(LoadCaptureOptions(dir.path(), options));
  EXPECT_FALSE(SaveCaptureOptions(dir.path(), options));
  EXPECT_EQ(options, before);
  EXPECT_EQ(ReadConsoleChoice(dir.path()).backend, DefaultConsoleBackend());

  test::WriteFileBytes(dir / kSettingsFileName,
                       "[monitor]\r\ntime=10\r\ntimeh=5000\r\nMINIMIZE=0\r\nConsole=LOG\r\n"
                       "ConsoleLog= /q3/qconsole.log \r\n");
  ASSERT_TRUE(LoadCaptureOptions(dir.path(), options));
  CaptureOptions expected;  // missing keys take their defaults, not the old values
  expected.stats_every_seconds = 30;
  expected.hits_every_seconds = 999;
  expected.minimize_to_tray = false;
  EXPECT_EQ(options, expected);
  const auto choice = ReadConsoleChoice(dir.path());
  EXPECT_EQ(choice.backend, ConsoleBackend::kLog);
  EXPECT_EQ(choice.log_path, "/q3/qconsole.log");
  EXPECT_EQ(choice.bridge_socket, "");

  options.streak_announcements = false;
  options.stats_every_seconds = 120;
  ASSERT_TRUE(SaveCaptureOptions(dir.path(), options));
  CaptureOptions reloaded;
  ASSERT_TRUE(LoadCaptureOptions(dir.path(), reloaded));
  EXPECT_EQ(reloaded, options);

  test::WriteFileBytes(dir / kSettingsFileName,
                       "[Monitor]\r\nConsole=telnet\r\nBridgeSocket=/run/game.sock\r\n");
  EXPECT_EQ(ReadConsoleChoice(dir.path()).backend, DefaultConsoleBackend());
  EXPECT_EQ(ReadConsoleChoice(dir.path()).bridge_socket, "/run/game.sock");
}

}  // namespace
}  // namespace mrv
