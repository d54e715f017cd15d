#include "capture/game_texts.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <random>

#include "capture/text_set.h"
#include "capture_harness.h"
#include "support/paths.h"

namespace mrv {
namespace {

using test::FakePrompt;

// Every form of the shipped file in both directions with every location name of 4.1:
// each line is one hit at the location the table gives.
TEST(GameTexts, ReadOwnHitsInEveryFormAndLocation) {
  const GameTexts& texts = test::ShippedGameTexts();
  struct Name {
    std::string printed;
    int location;
  };
  const Name names[] = {{"Head", 0},   {"Helmet", 2}, {"Torso", 8},
                        {"Kevlar", 7}, {"Arms", 4},   {"Legs", 17}};
  for (const Name& name : names) {
    for (const std::string ending : {" for 44% damage.", "."}) {
      const std::string given = "You hit Rasec in the " + name.printed + ending;
      const auto hit = texts.MatchHit(given);
      ASSERT_TRUE(hit) << given;
      EXPECT_EQ(hit->direction, HitDirection::kGiven);
      EXPECT_EQ(hit->location, name.location) << given;
      EXPECT_EQ(hit->nick, "Rasec");
      const std::string taken = "You were hit in the " + name.printed + " by PAPANGU" + ending;
      const auto hit_taken = texts.MatchHit(taken);
      ASSERT_TRUE(hit_taken) << taken;
      EXPECT_EQ(hit_taken->direction, HitDirection::kTaken);
      EXPECT_EQ(hit_taken->location, name.location) << taken;
      EXPECT_EQ(hit_taken->nick, "PAPANGU");
    }
  }
  // Nicknames holding the forms' own words are read from both ends of the line.
  EXPECT_EQ(texts.MatchHit("You hit Legs in the Head in the Torso for 5% damage.")->nick,
            "Legs in the Head");
  EXPECT_EQ(
      texts.MatchHit("You were hit in the Arms by x for 5% damage by y for 12% damage.")->nick,
      "x for 5% damage by y");
  EXPECT_EQ(texts.MatchHit("You hit ^1Rasec^7 in the Torso for 44% damage.")->nick, "Rasec");
  // Hits seen while watching another player, unknown locations and other endings are not
  // the player's hits.
  for (const std::string_view line :
       {"Etasoeur hit |SpaM|- in the Head for 100% damage.",
        "Etasoeur was hit in the Legs by X for 17% damage.", "You hit Rasec in the Toes.",
        "You hit Rasec in the Torso for 44% damage!",
        "You hit Rasec in the Torso for lots% damage.",
        "You hit Rasec, currently protected by the respawn gods."}) {
    EXPECT_FALSE(texts.MatchHit(line)) << line;
  }
  EXPECT_FALSE(NoGameTexts().MatchHit("You hit Rasec in the Torso for 44% damage."));
}

TEST(GameTexts, TellChatMapLoadsAndWrappedNames) {
  const GameTexts& texts = test::ShippedGameTexts();
  for (const std::string_view chat :
       {"^1(DEAD) Fak^3: ^3Rasec was pistol whipped by Fak.", "^4retardednapkin^3: ^3follow me",
        "^1pascochasco^7 (Patio Courtyard): ^3sry"}) {
    EXPECT_TRUE(texts.IsChat(chat, false)) << chat;
    EXPECT_FALSE(NoGameTexts().IsChat(chat, false)) << chat;
  }
  EXPECT_FALSE(texts.IsChat("Rasec was pistol whipped by Fak.", false));
  EXPECT_FALSE(texts.IsChat("(DEAD) Fak: meh", false));
  // Live, without colour codes, only some chat shows.
  EXPECT_TRUE(texts.IsChat("(DEAD) Fak: meh", true));
  EXPECT_TRUE(texts.IsChat("pascochasco (Patio Courtyard): sry", true));
  EXPECT_FALSE(texts.IsChat("retardednapkin: follow me", true));

  for (const std::string_view mark :
       {"13 crosshairs parsed", "8 crosshairs parsed", "120 crosshairs parsed"})
    EXPECT_TRUE(texts.MarksMapLoad(mark)) << mark;
  for (const std::string_view other : {" crosshairs parsed", "13 crosshairs parsed ",
                                       "x13 crosshairs parsed", "1 3 crosshairs parsed"})
    EXPECT_FALSE(texts.MarksMapLoad(other)) << other;
  EXPECT_FALSE(NoGameTexts().MarksMapLoad("13 crosshairs parsed"));
  EXPECT_TRUE(texts.IsSearchPath("Going through search path..."));
  EXPECT_FALSE(texts.IsSearchPath("Going through search path"));

  EXPECT_EQ(texts.Unwrapped("^4[FU]Rasec^7"), "[FU]Rasec");
  for (const std::string_view kept : {"Fak^7", "^1Fak", "^xFak^7", "^1^7", "Fak"})
    EXPECT_EQ(texts.Unwrapped(kept), kept);
  EXPECT_EQ(NoGameTexts().Unwrapped("^1Fak^7"), "^1Fak^7");
}

// A damaged file is told with the line at fault, and none of its rules is used.
TEST(LoadGameTexts, ADamagedFileIsToldAndLeftUnused) {
  struct Case {
    std::string content;
    std::string fault;
  };
  const Case cases[] = {
      {"search path: Going through search path...\nhit given You hit <NICK> in the <LOCATION>.\n",
       "line 2: no kind and colon before the text"},
      {"# comment\n\nhit gave: You hit <NICK>.\n", "line 3: unknown kind \"hit gave\""},
      {"location: Torso = Chest\nlocation: Torso = Stomach\n",
       "line 2: the location \"Torso\" is listed twice"},
      {"location: Torso = Belly\n", "line 1: \"Belly\" is none of the 21 hit locations"},
      {"location: Chest\n",
       "line 1: a location reads: the name as printed = one of the 21 hit locations"},
      {"hit given: You hit <NICK> in the Head.\n",
       "line 1: a hit line form holds <NICK> and <LOCATION> once each, <DAMAGE> at most once"},
      {"hit given: <NICK> hit you in the <LOCATION>.\n",
       "line 1: a hit line form must begin with text"},
      {"hit taken: You were hit in the <LOCATION><NICK>.\n",
       "line 1: a hit line form needs text between its <...> parts"},
      {"hit given: You hit <NICK> in the <LOCATION>.\n", "hit line forms without location names"},
      {"map loaded after: <COUNT> of <COUNT>\n", "line 1: <COUNT> stands once at most"},
      {"log chat:  \n", "line 1: no text after \"log chat:\""},
      {"name colour end: ^7\nname colour end: ^9\n", "line 2: a second name colour end"},
      {"search path: " + std::string(5000, '.') + "\n", "line 1 is too long"},
  };
  for (const Case& c : cases) {
    test::ScratchDir dir("game-texts");
    test::WriteFileBytes(dir / kGameTextsFile, c.content);
    FakePrompt prompt;
    const GameTexts texts = LoadGameTexts(dir.path(), prompt);
    ASSERT_EQ(prompt.shown.size(), 1u) << c.content;
    EXPECT_EQ(prompt.shown[0].kind, "error");
    EXPECT_EQ(prompt.shown[0].text,
              "Your GameTexts.txt file seems corrupted (" + c.fault +
                  ")!\r\nYou may get the most recent version at https://morvane.example.org"
                  "\r\nOnly the text of older game versions will be recognised.");
    EXPECT_FALSE(texts.IsSearchPath("Going through search path..."));
  }

  test::ScratchDir dir("game-texts-folder");
  std::filesystem::create_directory(dir / kGameTextsFile);
  FakePrompt prompt;
  LoadGameTexts(dir.path(), prompt);
  ASSERT_EQ(prompt.shown.size(), 1u);
  EXPECT_NE(prompt.shown[0].text.find("(it cannot be read)"), std::string::npos);

  // Removing the file is how a player goes back to the older text: not a fault.
  std::filesystem::remove(dir / kGameTextsFile);
  prompt.shown.clear();
  const GameTexts none = LoadGameTexts(dir.path(), prompt);
  EXPECT_TRUE(prompt.shown.empty());
  EXPECT_FALSE(none.MatchHit("You hit Rasec in the Torso for 44% damage."));
}

TEST(TextSet, FindsWhatSearchingEachTextFinds) {
  std::mt19937 random(11);
  auto text_of = [&](std::size_t length) {
    constexpr std::string_view kAlphabet = "ab3^: )";
    std::string text(length, ' ');
    for (char& c : text) c = kAlphabet[random() % kAlphabet.size()];
    return text;
  };
  for (int i = 0; i < 20000; ++i) {
    TextSet set;
    std::vector<std::string> texts;
    for (std::size_t n = 1 + random() % 3; texts.size() < n;) {
      texts.push_back(text_of(1 + random() % 4));
      set.Add(texts.back());
    }
    const std::string line = text_of(random() % 60);
    bool found = false;
    for (const std::string& text : texts) found = found || line.find(text) != std::string::npos;
    ASSERT_EQ(set.AnyIn(line), found) << "'" << line << "' with '" << texts[0] << "'...";
  }
}

}  // namespace
}  // namespace mrv
