#include "support/viewer_harness.h"

#include <gtest/gtest.h>

#include "files/saved_game.h"
#include "support/capture_harness.h"

namespace mrv::test {

namespace {

std::string ScratchName() {
  static int count = 0;
  return "viewer" + std::to_string(++count);
}

}  // namespace

ViewerHarness::ViewerHarness(const std::string& sample)
    : weapons(ShippedWeapons()),
      store(weapons.size()),
      dir(ScratchName()),
      profile_store(dir.path(), weapons.size()) {
  if (sample.empty()) return;
  std::string name;
  EXPECT_TRUE(LoadGame(store, TestDataDir() / "golden" / (sample + ".stg"), name, prompt));
}

void ViewerHarness::MakeMonitored() {
  for (auto& map : store.maps) {
    map->own_nick = "Morv";
    map->duration = 600;
  }
}

void ViewerHarness::LoadNewProfile(const std::string& name) {
  ASSERT_TRUE(profile_store.CreateProfileFile(name + ".mrv", "Morv", {"notes"}));
  ASSERT_TRUE(LoadProfile(profile_store, name + ".mrv", loaded));
}

void ViewerHarness::AddToNewProfile(const std::vector<std::string>& games) {
  LoadNewProfile("Morv");
  for (const std::string& game : games) {
    StatsViewer capture({store, weapons, dir.path(), prompt, profile_store, loaded});
    capture.OpenGame(true, game);
    capture.RunMenuSlot(3);
    EXPECT_TRUE(capture.added_to_profile()) << game;
  }
  prompt.shown.clear();
}

StatsViewer& ViewerHarness::viewer() {
  if (!viewer_) {
    viewer_ = std::make_unique<StatsViewer>(
        ViewerContext{store, weapons, dir.path(), prompt, profile_store, loaded}, hooks);
  }
  return *viewer_;
}

std::vector<std::string> ViewerHarness::TakeShown() {
  std::vector<std::string> texts;
  for (const auto& shown : prompt.shown) texts.push_back(shown.text);
  prompt.shown.clear();
  return texts;
}

}  // namespace mrv::test
