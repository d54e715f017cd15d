// What the main window owns for the program's life and lends to the windows it opens:
// the data folder (and the program's own folder), the settings read at start, the weapon table, the current
// stats store, the profile component and the loaded profile. Every window of the
// program works on this one object; none looks these up elsewhere.
#pragma once

#include <filesystem>
#include <functional>
#include <memory>
#include <string>

#include "files/data_folder.h"
#include "files/profile_store.h"
#include "files/settings.h"
#include "model/stats_store.h"
#include "model/weapons.h"

class QWidget;

namespace mrv::ui {

// "Morvane 0.9.0 - Urban Terror Stats": the title bar and the desktop's name of the program.
std::string ApplicationTitle();

struct ProgramState {
  ProgramState(DataFolder where, Settings loaded_settings, WeaponTable weapon_table);
  ProgramState(const ProgramState&) = delete;
  ProgramState& operator=(const ProgramState&) = delete;

  // The data folder, how it was chosen, and the program's folder (where the console
  // bridge is looked for first).
  const DataFolder folder;
  // folder.dir: where stats.ini, DeathMsgs.txt, the profiles and games/ live.
  const std::filesystem::path data_dir;
  // The recent files and LastDir, written back to stats.ini when the viewer closes.
  Settings settings;
  const WeaponTable weapons;
  // The current store: filled by a capture or a load, shown by the viewer, then cleared.
  StatsStore store;
  ProfileStore profile_store;
  LoadedProfile loaded_profile;
  // Settings that could not be saved were told once; later failures stay quiet.
  bool unsaved_settings_told = false;
};

// The program's start once the application exists and the data folder was prepared:
// reads stats.ini (running `show_about` at the very first start). When the settings
// cannot be used it shows the fatal start-up message in the platform's error dialog and
// returns null, and the program ends. Settings that cannot be saved (a read-only
// stats.ini) are told then, once. Saved games and profiles left in the program's folder
// are offered for copying, once per program folder.
std::unique_ptr<ProgramState> StartProgram(const DataFolder& where,
                                           const std::function<void()>& show_about);

// Tells, the first time only, that stats.ini cannot keep the settings.
void TellSettingsUnsaved(ProgramState& state, QWidget* parent);

}  // namespace mrv::ui
