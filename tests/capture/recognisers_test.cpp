#include "capture/matching/recognisers.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

namespace mrv {
namespace {

TEST(MatchHitTest, ReadsBothDirectionsAndRefusesTheRest) {
  auto hit = MatchHit("You hit Rasec in the Head.");
  ASSERT_TRUE(hit);
  EXPECT_EQ(hit->direction, HitDirection::kGiven);
  EXPECT_EQ(hit->location, 0);
  EXPECT_EQ(hit->nick, "Rasec");
  hit = MatchHit("You were hit in the Left Leg by Fak.");
  ASSERT_TRUE(hit);
  EXPECT_EQ(hit->direction, HitDirection::kTaken);
  EXPECT_EQ(hit->location, 18);
  EXPECT_EQ(hit->nick, "Fak");
  // A nickname that names a location does not fool the location test.
  hit = MatchHit("You hit Heart in the Heart!");
  ASSERT_TRUE(hit);
  EXPECT_EQ(hit->location, 9);
  EXPECT_EQ(hit->nick, "Heart");
  EXPECT_EQ(MatchHit("You hit Bob in the Right Foot.")->location, 19);
  EXPECT_EQ(MatchHit("You were hit in the Head.")->nick, "");

  EXPECT_FALSE(MatchHit("You hit Rasec in the Head, currently protected by the respawn gods."));
  EXPECT_FALSE(MatchHit("You hit Rasec in the Torso for 44% damage."));
  EXPECT_FALSE(MatchHit("You were hit in the Kevlar by Fak for 29% damage."));
  EXPECT_FALSE(MatchHit("Fak: You hit Rasec in the Head."));

  // Locations found by their first or last byte are those that trying each in table
  // order finds: names that end or start alike, names inside nicknames, short tails.
  const std::vector<std::string> starts = {"You hit ", "You were hit in the ", "You hit", "Y", ""};
  const std::vector<std::string> pieces = {
      "Head",     "Left Leg", "Leg", "Right Foot", "Foot",
      " in the ", " by ",     "Arm", "Left Arm",   "!",
      ".",        "a",        " ",   "",           "currently protected by the respawn gods"};
  std::mt19937 random(7);
  auto hit_text = [](const std::optional<Hit>& hit) {
    return hit ? std::to_string(static_cast<int>(hit->direction)) + "/" +
                     std::to_string(hit->location) + "/" + std::string(hit->nick)
               : "none";
  };
  for (int i = 0; i < 20000; ++i) {
    std::string line = starts[random() % starts.size()];
    for (unsigned n = random() % 5; n > 0; --n) line += pieces[random() % pieces.size()];
    EXPECT_EQ(hit_text(MatchHit(line)), hit_text(MatchHitPlain(line))) << line;
  }
}

TEST(MatchMapNameTest, KeepsTheColourResetOnlyWhileMonitoring) {
  const std::string_view answer = "\"mapname\" is:\"ut4_abbey^7\" default:\"nomap^7\"";
  EXPECT_EQ(MatchMapName(answer, false), "ut4_abbey");
  EXPECT_EQ(MatchMapName(answer, true), "ut4_abbey^7");
  EXPECT_EQ(MatchMapName("\"mapname\" is:\"x\"", false), "");
  EXPECT_EQ(MatchMapName("\"mapname\" is:\"ut4_casa", true), "ut4_casa");
  EXPECT_FALSE(MatchMapName("\"name\" is:\"Fak^7\"", true));
}

TEST(MatchFlagTest, PlainWhileMonitoringAndColouredInLogs) {
  struct Case {
    std::string_view line;
    bool monitor;
    FlagEventKind kind;
    std::uint8_t team;
  };
  const Case cases[] = {
      {"Fak dropped the Blue flag!", true, FlagEventKind::kDropped, 1},
      {"Fak has taken the Red flag!", true, FlagEventKind::kTaken, 2},
      {"Fak captured the Blue flag!", true, FlagEventKind::kCaptured, 1},
      {"Fak returned the BLUE flag!", true, FlagEventKind::kReturned, 2},
      {"^1Fak^7 has taken the ^4Blue^7 flag!", false, FlagEventKind::kTaken, 1},
      {"^4Fak^7 dropped the ^1Red^7 flag!", false, FlagEventKind::kDropped, 2},
      {"^1Fak^7 captured the ^4Blue flag!", false, FlagEventKind::kCaptured, 1},
      {"Fak returned the RED flag!", false, FlagEventKind::kReturned, 1},
  };
  for (const Case& c : cases) {
    const auto event = MatchFlag(c.line, c.monitor);
    ASSERT_TRUE(event) << c.line;
    EXPECT_EQ(event->nick, "Fak") << c.line;
    EXPECT_EQ(event->kind, c.kind) << c.line;
    EXPECT_EQ(event->team, c.team) << c.line;
  }
  EXPECT_FALSE(MatchFlag("^1Fak^7 has taken the ^4Blue^7 flag!", true));
  EXPECT_FALSE(MatchFlag("Fak has taken the Red flag!", false));
}

// The direct readings of a rename, a team join, a team colour and a flag event agree
// with their templates (read on the line with "." appended where theirs are), on lines
// made of the pieces that matter to them.
TEST(RecognisersTest, DirectReadingsAgreeWithTheirTemplates) {
  const auto member = MatchTeamColour("^4pascochasco^7 (Patio Courtyard): ^3sry");
  ASSERT_TRUE(member);
  EXPECT_EQ(member->nick, "pascochasco");
  EXPECT_EQ(member->team, 2);
  EXPECT_FALSE(MatchTeamColour("^1(DEAD) Fak^3: ^3meh"));  // no colour reset
  EXPECT_FALSE(MatchRename("A renamed to B renamed to C"));

  std::vector<std::string> pieces = {
      " renamed to ", " renamed", "to ", "^4", "^1", "^7", "^", "7", "a", " ", ".", ""};
  for (const char* ending :
       {" joined the red team.", "^7 has taken the ^4Blue^7 flag!", "^7 dropped the ^1Red^7 flag!",
        " returned the RED flag!", " captured the Blue flag!", "^4Blue flag!", " flag!"}) {
    pieces.emplace_back(ending);
  }
  std::mt19937 random(5);
  for (int i = 0; i < 20000; ++i) {
    std::string line;
    for (unsigned n = random() % 6; n > 0; --n) line += pieces[random() % pieces.size()];
    const std::string with_dot = line + ".";
    const auto rename = MatchRename(line);
    const auto plain_rename = MatchRenamePlain(with_dot);
    ASSERT_EQ(rename.has_value(), plain_rename.has_value()) << line;
    if (rename) {
      EXPECT_EQ(rename->old_nick, plain_rename->old_nick) << line;
      EXPECT_EQ(rename->new_nick, plain_rename->new_nick) << line;
    }
    auto member = [](const std::optional<TeamMember>& found) {
      return found ? std::string(found->nick) + "/" + std::to_string(found->team) : "none";
    };
    EXPECT_EQ(member(MatchTeamJoin(line)), member(MatchTeamJoinPlain(line))) << line;
    EXPECT_EQ(member(MatchTeamColour(line)), member(MatchTeamColourPlain(with_dot))) << line;
    auto flag = [](const std::optional<FlagEvent>& found) {
      return found ? std::string(found->nick) + "/" + std::to_string(found->team) + "/" +
                         std::to_string(static_cast<int>(found->kind))
                   : "none";
    };
    for (const bool monitor : {true, false})
      EXPECT_EQ(flag(MatchFlag(line, monitor)), flag(MatchFlagPlain(line, monitor))) << line;
  }
}

}  // namespace
}  // namespace mrv
