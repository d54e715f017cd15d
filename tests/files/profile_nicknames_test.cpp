// Editing a profile's nicknames, and deleting a profile file.
#include "files/profile_nicknames.h"

#include <gtest/gtest.h>

#include "files/profile_test_support.h"

namespace mrv {
namespace {

using Nicks = std::vector<std::string>;

TEST(ProfileNicknamesTest, AddingComparesExactlyAndStopsAtAHundred) {
  Nicks nicks = {"joe"};
  EXPECT_EQ(AddNickname(nicks, "Joe"), "");
  EXPECT_EQ(AddNickname(nicks, "Joe"), "\r\nThat nickname is already listed!");
  EXPECT_EQ(nicks, (Nicks{"joe", "Joe"}));

  for (int i = 2; i < 100; ++i) ASSERT_EQ(AddNickname(nicks, "n" + std::to_string(i)), "");
  // Full: whatever the text, a listed one included.
  for (const char* nick : {"new", "joe"}) {
    EXPECT_EQ(AddNickname(nicks, nick),
              "\r\nYou've reached the maximum number of nicknames for this player! 100!");
  }
  EXPECT_EQ(nicks.size(), 100u);
}

TEST(ProfileNicknamesTest, RemovingKeepsOneAndMovingStaysInsideTheList) {
  Nicks nicks = {"a", "b", "c"};
  EXPECT_EQ(MoveNickname(nicks, 0, true), 0u);
  EXPECT_EQ(MoveNickname(nicks, 2, false), 2u);
  EXPECT_EQ(nicks, (Nicks{"a", "b", "c"}));
  EXPECT_EQ(MoveNickname(nicks, 2, true), 1u);
  EXPECT_EQ(MoveNickname(nicks, 0, false), 1u);
  EXPECT_EQ(nicks, (Nicks{"c", "a", "b"}));

  EXPECT_EQ(RemoveNickname(nicks, 1), "");
  EXPECT_EQ(RemoveNickname(nicks, 0), "");
  EXPECT_EQ(RemoveNickname(nicks, 0), "\r\nThere must be at least one nickname!");
  EXPECT_EQ(nicks, Nicks{"b"});
}

TEST(ProfileDeleteTest, WaitsForAnotherProgramsChangeAndToleratesAGoneFile) {
  test::ScratchDir dir("profile-delete");
  ProfileStore profile_store(dir.path(), test::kTestWeapons, std::chrono::milliseconds(50));
  ASSERT_TRUE(profile_store.CreateProfileFile("joe.mrv", "Joe", {}));
  {
    // Another program in the middle of a change.
    const FileLock other = FileLock::Acquire(dir / "joe.mrv", std::chrono::milliseconds(0));
    ASSERT_TRUE(other.held());
    EXPECT_FALSE(profile_store.DeleteProfileFile("joe.mrv"));
    EXPECT_EQ(profile_store.LastError(), kProfileLocked);
    EXPECT_TRUE(std::filesystem::exists(dir / "joe.mrv"));
  }
  EXPECT_TRUE(profile_store.DeleteProfileFile("joe.mrv"));
  EXPECT_FALSE(std::filesystem::exists(dir / "joe.mrv"));
  EXPECT_TRUE(profile_store.DeleteProfileFile("joe.mrv"));
}

}  // namespace
}  // namespace mrv
