#include "capture/typed_line.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

#include "support/capture_harness.h"
#include "support/console_commands.h"

namespace mrv {
namespace {

using test::CaptureHarness;

TEST(TypedLineTest, TheGamesTextIsInertAndEveryByteTypable) {
  EXPECT_EQ(
      TypedLine("ut_echo \"a;b\";").AddFromGame("Evil;quit;\"x\\y/**/z").Add(" \xe9\x01").text(),
      "ut_echo \"a;b\";Evil:quit:'x|y|**|z ??")
      << "the program's separators stay, the game's text gets none";
  EXPECT_EQ(TypedLine().AddFromGame("Jos\xc3\xa9 \x1b[2J").text(), "Jos?? ?[2J");
  EXPECT_EQ(TypedLine().AddFromGame(std::string(300, 'n')).text().size(), TypedLine::kMaxGameText);
}

// Every reply and announcement that names a player, fed hostile names: the game, running
// each typed line as its console does, runs only the commands the capture meant.
TEST(TypedLineTest, HostileNamesNeverBecomeCommands) {
  CaptureHarness harness(true);
  CaptureOptions& options = harness.session.state.options;
  options.frag_announcements = options.streak_announcements = true;
  options.stats_after_kill = options.hits_after_kill = true;
  const std::vector<std::string> hostile = {"Evil;quit;", "x\";quit;\"", "a\\\";quit;",
                                            "b/**/quit",  "c//",         "\"d;quit",
                                            "Jos\xe9",    "\x1b[A;quit", "e*/quit"};
  ASSERT_TRUE(harness.Feed({"Com_TouchMemory: 0 msec", "\"name\" is:\"b/**/quit\" default:\"x\""}));
  for (const std::string& nick : hostile) {
    harness.clock.Advance(1000);
    harness.Feed(
        {nick + " joined the red team.", "Rasec got a lead enema from " + nick + "'s retro M4.",
         "MRV_GETNICKSTATS " + nick + " ", "MRV_GETNICKSTATS " + nick + "2 ", "MRV_GETMYSTATS "});
    harness.clock.Advance(1000);
    harness.Feed({nick + " captured the Blue flag!"});
  }
  harness.clock.Advance(1000);
  harness.Feed({"You hit Rasec in the Head.", "Rasec got a lead enema from b/**/quit's retro M4."});

  const std::set<std::string> meant = {"ut_echo", "mapname", "name"};
  std::set<std::string> run;
  for (const std::string& line : harness.console.typed) {
    for (const char c : line) {
      EXPECT_TRUE(c >= 0x20 && c < 0x7f) << "untypable byte in: " << line;
    }
    for (const auto& words : test::ConsoleCommands(line)) {
      run.insert(words[0]);
      EXPECT_TRUE(meant.contains(words[0])) << words[0] << " from: " << line;
    }
  }
  EXPECT_EQ(run, meant);
  // Each name went out in the stats reply, the top-fragger and the cap-high announcements.
  const auto typed_with = [&](std::string_view text) {
    return std::count_if(
        harness.console.typed.begin(), harness.console.typed.end(),
        [&](const std::string& line) { return line.find(text) != std::string::npos; });
  };
  EXPECT_EQ(typed_with("Evil:quit: is a top fragger!"), 1);
  EXPECT_EQ(typed_with("Evil:quit: has a flag cap high!"), 1);
  EXPECT_EQ(typed_with("ut_echo Jos? stats:"), 3);
  EXPECT_EQ(typed_with("No stats available for Jos?2 yet"), 1);
}

}  // namespace
}  // namespace mrv
