#include "ui/program_state.h"

#include "ui/desktop_prompt.h"

namespace mrv::ui {

ProgramState::ProgramState(std::filesystem::path dir, Settings loaded_settings,
                           WeaponTable weapon_table)
    : program_dir(std::move(dir)),
      settings(std::move(loaded_settings)),
      weapons(std::move(weapon_table)),
      store(weapons.size()),
      profile_store(program_dir, weapons.size()) {}

std::unique_ptr<ProgramState> StartProgram(const std::filesystem::path& program_dir,
                                           const std::function<void()>& show_about) {
  DesktopPrompt prompt;
  Settings settings;
  WeaponTable weapons;
  if (!LoadSettings(program_dir, settings, weapons, prompt, show_about)) {
    prompt.Error(kSettingsUnusableMessage, kErrorCaption);
    return nullptr;
  }
  return std::make_unique<ProgramState>(program_dir, std::move(settings), std::move(weapons));
}

}  // namespace mrv::ui
