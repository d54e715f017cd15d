#include "ui/program_state.h"

#include "files/data_folder_migration.h"
#include "product.h"
#include "ui/desktop_prompt.h"
#include "ui/message_dialog.h"
#include "ui/ui_text.h"

namespace mrv::ui {

namespace {

void OfferCopyFromProgramFolder(const DataFolder& folder) {
  const auto files = FilesLeftInProgramFolder(folder);
  if (files.empty() || CopyWasOffered(folder)) return;
  const QString question =
      QStringLiteral("Morvane keeps its settings, saved games and profiles in\n") +
      PathText(folder.dir) + QStringLiteral("\n\n") + QString::number(files.size()) +
      QStringLiteral(" saved games and profiles are still in\n") + PathText(folder.program_dir) +
      QStringLiteral("\n\nCopy them? The originals stay where they are.");
  QString unused;
  if (AskBox(question, QStringLiteral("?"), unused, {})) {
    std::string error;
    CopyFilesToDataFolder(folder, files, error);
    if (!error.empty()) InformationBox(PathText(error), QStringLiteral("ERROR!"));
  }
  // Not being able to remember it only means being asked again.
  RememberCopyOffered(folder);
}

}  // namespace

std::string ApplicationTitle() {
  return std::string(kProductName) + " " + std::string(kVersion) + " - Urban Terror Stats";
}

ProgramState::ProgramState(DataFolder where, Settings loaded_settings, WeaponTable weapon_table)
    : folder(std::move(where)),
      data_dir(folder.dir),
      settings(std::move(loaded_settings)),
      weapons(std::move(weapon_table)),
      store(weapons.size()),
      profile_store(data_dir, weapons.size()) {}

std::unique_ptr<ProgramState> StartProgram(const DataFolder& where,
                                           const std::function<void()>& show_about) {
  DesktopPrompt prompt;
  Settings settings;
  WeaponTable weapons;
  if (!LoadSettings(where.dir, settings, weapons, prompt, show_about)) {
    prompt.Error(kSettingsUnusableMessage, kErrorCaption);
    return nullptr;
  }
  auto state = std::make_unique<ProgramState>(where, std::move(settings), std::move(weapons));
  if (!state->settings.writable) TellSettingsUnsaved(*state, nullptr);
  OfferCopyFromProgramFolder(where);
  return state;
}

void TellSettingsUnsaved(ProgramState& state, QWidget* parent) {
  if (state.unsaved_settings_told) return;
  state.unsaved_settings_told = true;
  InformationBox(QStringLiteral("Morvane cannot save its settings in\n") +
                     PathText(SettingsPath(state.data_dir)) +
                     QStringLiteral("\n\nThe recent files, the last folder and the window "
                                    "positions will be forgotten when Morvane closes."),
                 QStringLiteral("ERROR!"), parent);
}

}  // namespace mrv::ui
