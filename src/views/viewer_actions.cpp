// The stats viewer's menu and map popup actions, and the close query.
#include "files/profile_add_game.h"
#include "files/saved_game.h"
#include "views/stats_viewer.h"

namespace mrv {

namespace {

constexpr const char* kFatalRemoveMessage =
    "Fatal error!\r\nProfile maybe lost! Check for temporary files in MRV directory to attempt "
    "recovery.";
constexpr const char* kReadAgain =
    "\r\n\r\nThe profile's games were read again: select the games to remove once more.";

}  // namespace

ViewerChanges StatsViewer::RunMenuSlot(int slot) {
  const ViewerMenu shown = menu();
  if (slot < 1 || slot > static_cast<int>(shown.lines.size())) return {};
  if (shown.lines[static_cast<std::size_t>(slot - 1)].grey) return {};
  if (slot == 2) {
    if (hooks_.export_html) hooks_.export_html();
  } else if (profile_) {
    if (slot == 1) RemoveGames();
    if (slot == 3) {
      progress_visible_ = true;
      Mark(ViewerPart::kProgress);
    }
    if (slot == 4) Mark(ViewerPart::kCloseRequest);
  } else {
    switch (slot) {
      case 1:
        Save();
        break;
      case 3:
        AddGameToLoadedProfile();
        break;
      case 4:
        context_.prompt.Inform("\r\nNot implemented in this version! Sorry!", "Oops!");
        break;
      case 5:
        overall_.visible = true;
        Mark(ViewerPart::kOverall);
        break;
      case 6:
        Compare();
        break;
      default:
        Mark(ViewerPart::kCloseRequest);
        break;
    }
  }
  return TakeChanges();
}

void StatsViewer::Save() {
  const auto file = GameFilePath(context_.data_dir, last_game_);
  if (SaveGame(context_.store, file, last_game_, context_.prompt)) {
    context_.prompt.Inform("\r\nGame saved!", "");
    saved_ = true;
  } else {
    context_.prompt.Inform("\r\nGame not saved!", "ERROR!");
  }
}

void StatsViewer::AddGameToLoadedProfile() {
  if (added_to_profile_ &&
      !context_.prompt.Ask("I've done this before!\r\n\nDo you want to add it again?", "?")) {
    return;
  }
  if (!context_.loaded_profile) {
    if (!context_.prompt.Ask("\r\nPlease load a profile first!", "?")) return;
    if (hooks_.load_profile) hooks_.load_profile();
    if (!context_.loaded_profile) return;
    Mark(ViewerPart::kMenu);
  }
  if (AddGameToProfile(context_.store, last_game_, context_.profile_store, context_.prompt)) {
    added_to_profile_ = true;
  }
}

ViewerChanges StatsViewer::DeleteMap(int row) {
  if (profile_ || row < 1 || row >= static_cast<int>(maps_.size())) return {};
  // The popup hides the row it was opened on, and that row need not be the selected one.
  const std::string question =
      "\r\nStats for the map " + context_.store[row - 1].name + " will be deleted!\r\nAre you sure?";
  if (!context_.prompt.Ask(question, "?")) {
    return {};
  }
  const int index = row - 1;
  figures_.erase(figures_.begin() + index);  // before its map goes
  mrv::DeleteMap(context_.store, index);
  RebuildMapList();
  RefreshOverview();
  saved_ = false;
  return TakeChanges();
}

ViewerChanges StatsViewer::RenameMap(int row) {
  if (profile_ || row < 1 || row >= static_cast<int>(maps_.size())) return {};
  ListEntry& entry = maps_[static_cast<std::size_t>(row)];
  std::string name = context_.store[row - 1].name;
  if (!context_.prompt.AskText("\r\nEnter the new map name:", "?", name)) return {};
  context_.store[row - 1].name = name;
  entry.caption = std::move(name);
  saved_ = false;
  Mark(ViewerPart::kMapList);
  return TakeChanges();
}

bool StatsViewer::CanClose() {
  if (context_.loaded_profile && !added_to_profile_ && monitor_) {
    return context_.prompt.Ask(
        "You didn't add this game to a player profile!\r\n\nAre you sure you want to exit?", "?");
  }
  const ViewerMenu shown = menu();
  if (!saved_ && !shown.lines[2].grey) {
    return context_.prompt.Ask("You have unsaved changes!\r\n\nAre you sure you want to exit?",
                               "?");
  }
  return true;
}

void StatsViewer::Finish() {
  if (context_.loaded_profile) context_.profile_store.Close();
}

void StatsViewer::RemoveGames() {
  if (games_.size() <= 1) return;
  const bool all = games_[0].selected;
  std::vector<std::int32_t> numbers;
  std::vector<std::string> listed;
  for (std::size_t i = 1; i < games_.size(); ++i) {
    listed.push_back(games_[i].caption);
    if (all || games_[i].selected) numbers.push_back(static_cast<std::int32_t>(i));
  }
  if (numbers.empty()) return;
  Mark(ViewerPart::kGamesList);
  ProfileStore& profile_store = context_.profile_store;
  if (!profile_store.RemoveGames(numbers, listed)) {
    // A profile that changed meanwhile, is held by another program or could not even
    // be locked is as it was; any other failure may have cost the file.
    const std::string& why = profile_store.LastError();
    if (why != kProfileChanged && why != kProfileLocked && !why.starts_with(kUnableToSaveFile)) {
      fatal_error_ = kFatalRemoveMessage;
      Mark(ViewerPart::kFatalError);
      return;
    }
    context_.prompt.Inform(why + kReadAgain, "!");
  }
  // The games as the file holds them now: after a refusal, to choose from again.
  ListProfileGames();
}

}  // namespace mrv
