#include "ui_support/ui_fixtures.h"

#include <QWidget>

#include "support/paths.h"

namespace mrv::test {

void FillProgramDir(const std::filesystem::path& dir) {
  std::string settings = ReadFileBytes(ShippedDir() / "stats.ini");
  const std::string first_start = "initiationcount=0";
  settings.replace(settings.find(first_start), first_start.size(), "initiationcount=1");
  WriteFileBytes(dir / "stats.ini", settings);
  std::filesystem::copy_file(ShippedDir() / "DeathMsgs.txt", dir / "DeathMsgs.txt",
                             std::filesystem::copy_options::overwrite_existing);
}

std::unique_ptr<ui::ProgramState> StartedState(const std::filesystem::path& dir) {
  Settings settings;
  WeaponTable weapons;
  SilentPrompt prompt;
  if (!LoadSettings(dir, settings, weapons, prompt, {})) return nullptr;
  return std::make_unique<ui::ProgramState>(dir, std::move(settings), std::move(weapons));
}

void RecordingViewer::ShowGame(ui::ProgramState& state, const ui::ViewerOpening& opening,
                               QWidget* parent) {
  opened.push_back({opening, state.database.size(), parent != nullptr && parent->isVisible()});
}

std::string RecordingViewer::ShowProfile(ui::ProgramState& state, QWidget*) {
  profiles_shown.push_back(state.loaded_profile ? state.loaded_profile->name : std::string());
  return profile_error;
}

}  // namespace mrv::test
