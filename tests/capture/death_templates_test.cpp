#include "capture/matching/death_templates.h"

#include <gtest/gtest.h>

#include "support/capture_harness.h"
#include "model/text.h"
#include "support/paths.h"

namespace mrv {
namespace {

using test::FakePrompt;

const std::string kCorrupted =
    "Your DeathMsgs.txt file seems corrupted!\r\nYou may get the most recent version at "
    "https://morvane.example.org\r\nThe stats can be wrong!";

TEST(LoadDeathTemplatesTest, TrimsDropsCommentsAndFindsTheMonkey) {
  test::ScratchDir dir("templates");
  test::WriteFileBytes(
      dir / "DeathMsgs.txt",
      "# comment\r\n   # indented comment\r\n   \r\n\r\n  a<VICTIM><MSG> died.</MSG>  \r\n"
      " w<VICTIM><MSG> was BBQ'ed by </MSG><KILLER><MSG>'s exploding monkey.</MSG>\n"
      "#x exploding monkey\n");
  FakePrompt prompt;
  const DeathTemplates templates = LoadDeathTemplates(dir.path(), prompt);
  EXPECT_TRUE(prompt.shown.empty());
  ASSERT_EQ(templates.entries().size(), 4u);
  EXPECT_EQ(templates.entries()[0], "");
  EXPECT_EQ(templates.entries()[1], "");
  EXPECT_EQ(templates.entries()[2], "a<VICTIM><MSG> died.</MSG>");
  EXPECT_EQ(templates.entries()[3][0], 'w');
  // The blank before the line counts as its code for the monkey.
  EXPECT_EQ(templates.MonkeyCode(), ' ');
}

TEST(LoadDeathTemplatesTest, MissingFileIsToldAndLeavesNoTemplates) {
  test::ScratchDir dir("no-templates");
  FakePrompt prompt;
  const DeathTemplates templates = LoadDeathTemplates(dir.path(), prompt);
  ASSERT_EQ(prompt.shown.size(), 1u);
  EXPECT_EQ(prompt.shown[0].kind, "error");
  EXPECT_EQ(prompt.shown[0].title, "File not found!");
  EXPECT_EQ(prompt.shown[0].text,
            "The death messages file (DeathMsgs.txt) was not found in the program directory!\n\r\r"
            "Only hits will be counted.");
  EXPECT_TRUE(templates.entries().empty());
  EXPECT_EQ(templates.MonkeyCode(), 0);
}

// A malformed template is reported once, and only when its literals stand in the line;
// the search goes on past it. (The order of the search: TemplateSet's tests.)
TEST(MatchKillTest, MalformedTemplatesAreReportedOnce) {
  const WeaponTable& weapons = test::ShippedWeapons();
  FakePrompt prompt;
  const DeathTemplates templates = DeathTemplates::FromLines({
      "a<MSG>Server: </MSG><VICTIM><MSG> was shot</MSG><VICTIM>",
      "b<VICTIM><MSG> was shot by </MSG><KILLER><MSG>.</MSG>",
  });
  CorruptTemplateNotice notice(prompt);
  EXPECT_TRUE(MatchKill(templates, weapons, "Bob was shot by Al.", notice));
  EXPECT_FALSE(MatchKill(templates, weapons, "Server: Bob died.", notice));
  EXPECT_TRUE(prompt.shown.empty());
  const auto kill = MatchKill(templates, weapons, "Server: Bob was shot by Al.", notice);
  ASSERT_TRUE(kill);  // the search goes on past the faulty template
  EXPECT_EQ(kill->victim, "Server: Bob");
  EXPECT_EQ(kill->weapon, weapons.FindWeaponByCode('b'));
  ASSERT_EQ(prompt.shown.size(), 1u);
  EXPECT_EQ(prompt.shown[0].kind, "error");
  EXPECT_EQ(prompt.shown[0].text, kCorrupted);
  MatchKill(templates, weapons, "Server: Bob was shot by Al.", notice);
  EXPECT_EQ(prompt.shown.size(), 1u);
}

TEST(ShippedTemplatesTest, AreWellFormedAndNameKnownWeapons) {
  const DeathTemplates& templates = test::ShippedTemplates();
  const WeaponTable& weapons = test::ShippedWeapons();
  ASSERT_GT(templates.entries().size(), 40u);
  for (std::size_t i = 0; i < templates.entries().size(); ++i) {
    if (templates.entries()[i].empty()) continue;  // blank lines stay as empty entries
    EXPECT_EQ(templates.compiled()[i].form(), CompiledTemplate::Form::kWellFormed)
        << templates.entries()[i];
    EXPECT_GE(weapons.FindWeaponByCode(templates.entries()[i][0]), 0) << templates.entries()[i];
  }
  EXPECT_EQ(weapons.name(weapons.FindWeaponByCode(templates.MonkeyCode())), "HE Grenade");

  struct Case {
    std::string_view line, weapon, killer, victim;
  };
  const std::string absent = AbsentMark;
  const Case cases[] = {
      {"Rasec got a lead enema from Fak's retro M4.", "M4", "Fak", "Rasec"},
      {"Rasec managed to slow down Fak's SR-8 round just a little.  NEEP NEEP!", "SR8", "Fak",
       "Rasec"},
      {"Rasec was BBQ'ed by Fak's exploding monkey.", "HE Grenade", "Fak", "Rasec"},
      {"Rasec was pistol whipped by Fak.", "Beretta", "Fak", "Rasec"},
      {"Rasec stepped on his own grenade.", "HE Grenade", absent, "Rasec"},
      {"Rasec killed himself.", "Suicide", absent, "Rasec"},
      {"Rasec did the lemming thing.", "Falling", absent, "Rasec"},
  };
  FakePrompt prompt;
  CorruptTemplateNotice notice(prompt);
  for (const Case& c : cases) {
    const auto kill = MatchKill(templates, weapons, c.line, notice);
    ASSERT_TRUE(kill) << c.line;
    EXPECT_EQ(weapons.name(kill->weapon), c.weapon) << c.line;
    EXPECT_EQ(kill->killer, c.killer) << c.line;
    EXPECT_EQ(kill->victim, c.victim) << c.line;
  }
  EXPECT_FALSE(MatchKill(templates, weapons, "Fak had 100% Health.", notice));
  EXPECT_TRUE(prompt.shown.empty());
}

}  // namespace
}  // namespace mrv
