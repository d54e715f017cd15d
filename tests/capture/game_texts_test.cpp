// The game texts' recognisers at their edges; every form, direction and location name
// of 4.1 is counted in the samples (tests/samples).
#include "capture/matching/game_texts.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <random>

#include "capture/matching/hit_forms.h"
#include "capture/matching/text_set.h"
#include "support/capture_harness.h"
#include "support/paths.h"

namespace mrv {
namespace {

TEST(GameTextsTest, ReadTheirFormsStrictly) {
  const GameTexts& texts = test::ShippedGameTexts();
  // Nicknames holding the forms' own words are read from both ends of the line.
  EXPECT_EQ(texts.MatchHit("You hit Legs in the Head in the Torso for 5% damage.")->nick,
            "Legs in the Head");
  EXPECT_EQ(
      texts.MatchHit("You were hit in the Arms by x for 5% damage by y for 12% damage.")->nick,
      "x for 5% damage by y");
  EXPECT_EQ(texts.MatchHit("You hit ^1Rasec^7 in the Torso for 44% damage.")->nick, "Rasec");
  for (const std::string_view line :
       {"Etasoeur hit |SpaM|- in the Head for 100% damage.", "You hit Rasec in the Toes.",
        "You hit Rasec in the Torso for 44% damage!",
        "You hit Rasec in the Torso for lots% damage.",
        "You hit Rasec, currently protected by the respawn gods."}) {
    EXPECT_FALSE(texts.MatchHit(line)) << line;
  }
  EXPECT_TRUE(texts.MarksMapLoad("120 crosshairs parsed"));
  for (const std::string_view line :
       {" crosshairs parsed", "x13 crosshairs parsed", "1 3 crosshairs parsed"})
    EXPECT_FALSE(texts.MarksMapLoad(line)) << line;
  EXPECT_EQ(texts.Unwrapped("^4[FU]Rasec^7"), "[FU]Rasec");
  for (const std::string_view kept : {"Fak^7", "^1Fak", "^xFak^7", "^1^7"})
    EXPECT_EQ(texts.Unwrapped(kept), kept);
}

// A location, and as many hit line forms as asked.
std::string HitForms(int count) {
  std::string content = "location: Torso = Chest\n";
  for (int i = 0; i < count; ++i) {
    content += "hit given: You hit <NICK> in " + std::to_string(i) + " the <LOCATION>.\n";
  }
  return content;
}

// Lines of comment as long as a line may be.
std::string Comments(int count) {
  std::string content;
  for (int i = 0; i < count; ++i) content += std::string(4095, '#') + "\n";
  return content;
}

// A damaged file is told with the line at fault and none of its rules is used; a
// missing one is how a player goes back to the older text, and is no fault. The file's
// limits keep what a hostile one costs small.
TEST(LoadGameTextsTest, ADamagedFileIsToldAndLeftUnused) {
  const std::pair<std::string, std::string> cases[] = {
      {"search path: Going through search path...\nhit given You hit <NICK> in the <LOCATION>.\n",
       "line 2: no kind and colon before the text"},
      {"# comment\n\nhit gave: You hit <NICK>.\n", "line 3: unknown kind \"hit gave\""},
      {"location: Torso = Chest\nlocation: Torso = Stomach\n",
       "line 2: the location \"Torso\" is listed twice"},
      {"location: Torso = Belly\n", "line 1: \"Belly\" is none of the 21 hit locations"},
      {"hit taken: You were hit in the <LOCATION><NICK>.\n",
       "line 1: a hit line form needs text between its <...> parts"},
      {"hit given: You hit <NICK> in the <LOCATION>.\n", "hit line forms without location names"},
      {"search path: " + std::string(5000, '.') + "\n", "line 1 is too long"},
      {HitForms(17), "line 18: more than 16 hit line forms"},
      {Comments(300), "more than 1024 kB"},
  };
  for (const auto& [content, fault] : cases) {
    test::ScratchDir dir("game-texts");
    test::WriteFileBytes(dir / kGameTextsFile, content);
    test::FakePrompt prompt;
    const GameTexts texts = LoadGameTexts(dir.path(), prompt);
    ASSERT_EQ(prompt.shown.size(), 1u) << content;
    EXPECT_EQ(prompt.shown[0].text,
              "Your GameTexts.txt file seems corrupted (" + fault +
                  ")!\r\nYou may get the most recent version at https://morvane.example.org"
                  "\r\nOnly the text of older game versions will be recognised.");
    EXPECT_FALSE(texts.IsSearchPath("Going through search path..."));
  }
  test::ScratchDir dir("game-texts-folder");
  std::filesystem::create_directory(dir / kGameTextsFile);
  test::FakePrompt prompt;
  LoadGameTexts(dir.path(), prompt);
  ASSERT_EQ(prompt.shown.size(), 1u);
  EXPECT_NE(prompt.shown[0].text.find("(it cannot be read)"), std::string::npos);
  std::filesystem::remove(dir / kGameTextsFile);
  LoadGameTexts(dir.path(), prompt);
  EXPECT_EQ(prompt.shown.size(), 1u);
}

// The fast paths against the plain ones they stand for, on texts of a few bytes that
// overlap often: a few texts, and many.
class GameTextsFastPaths : public testing::Test {
 protected:
  std::string TextOf(std::size_t length) {
    constexpr std::string_view kAlphabet = "ab3^: )";
    std::string text(length, ' ');
    for (char& c : text) c = kAlphabet[random_() % kAlphabet.size()];
    return text;
  }
  std::vector<std::string> Texts(std::size_t most) {
    std::vector<std::string> texts(1 + random_() % most);
    for (std::string& text : texts) text = TextOf(1 + random_() % 4);
    return texts;
  }
  std::mt19937 random_{11};
};

TEST_F(GameTextsFastPaths, TextSetFindsWhatSearchingEachTextFinds) {
  for (int i = 0; i < 20000; ++i) {
    const std::vector<std::string> texts = Texts(i % 2 == 0 ? 3 : 40);
    const TextSet set(texts);
    const std::string line = TextOf(random_() % 60);
    bool found = false;
    for (const std::string& text : texts) found = found || line.find(text) != std::string::npos;
    ASSERT_EQ(set.AnyIn(line), found) << "'" << line << "' with '" << texts[0] << "'...";
  }
}

TEST_F(GameTextsFastPaths, LocationNamesFindTheFirstNameInTableOrder) {
  using Found = std::optional<std::pair<int, std::size_t>>;
  for (int i = 0; i < 20000; ++i) {
    std::vector<LocationNames::Entry> entries;
    for (std::string& name : Texts(i % 2 == 0 ? 3 : 40)) {
      const bool listed = std::any_of(entries.begin(), entries.end(),
                                      [&name](const auto& entry) { return entry.name == name; });
      if (!listed) entries.push_back({name, static_cast<int>(entries.size())});
    }
    const LocationNames names(entries);
    const std::string text = TextOf(random_() % 12);
    const std::string beside = TextOf(random_() % 2);
    Found front, back;
    for (const auto& entry : entries) {
      if (!front && text.starts_with(entry.name) &&
          text.substr(entry.name.size()).starts_with(beside))
        front = std::pair{entry.location, entry.name.size()};
      if (!back && text.ends_with(entry.name) &&
          text.substr(0, text.size() - entry.name.size()).ends_with(beside))
        back = std::pair{entry.location, entry.name.size()};
    }
    const auto as_pair = [](const auto& found) -> Found {
      if (!found) return std::nullopt;
      return std::pair{found->location, found->length};
    };
    ASSERT_EQ(as_pair(names.AtFront(text, beside)), front) << "'" << text << "'";
    ASSERT_EQ(as_pair(names.AtBack(text, beside)), back) << "'" << text << "'";
  }
}

}  // namespace
}  // namespace mrv
