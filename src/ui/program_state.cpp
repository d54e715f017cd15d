#include "ui/program_state.h"

#include "ui/desktop_prompt.h"

namespace mrv::ui {

ProgramState::ProgramState(std::filesystem::path dir, Settings loaded_settings,
                           WeaponTable weapon_table)
    : data_dir(std::move(dir)),
      settings(std::move(loaded_settings)),
      weapons(std::move(weapon_table)),
      store(weapons.size()),
      profile_store(data_dir, weapons.size()) {}

std::unique_ptr<ProgramState> StartProgram(const std::filesystem::path& data_dir,
                                           const std::function<void()>& show_about) {
  DesktopPrompt prompt;
  Settings settings;
  WeaponTable weapons;
  if (!LoadSettings(data_dir, settings, weapons, prompt, show_about)) {
    prompt.Error(kSettingsUnusableMessage, kErrorCaption);
    return nullptr;
  }
  return std::make_unique<ProgramState>(data_dir, std::move(settings), std::move(weapons));
}

}  // namespace mrv::ui
