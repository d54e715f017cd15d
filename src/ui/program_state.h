// What the main window owns for the program's life and lends to the windows it opens:
// the data folder, the settings read at start, the weapon table, the current
// stats store, the profile component and the loaded profile. Every window of the
// program works on this one object; none looks these up elsewhere.
#pragma once

#include <filesystem>
#include <functional>
#include <memory>

#include "files/profile_store.h"
#include "files/settings.h"
#include "model/stats_store.h"
#include "model/weapons.h"

namespace mrv::ui {

inline constexpr const char* kApplicationTitle = "Morvane beta 0.9 - Urban Terror Stats";
inline constexpr const char* kVersionText = "Version beta 0.9";

struct ProgramState {
  ProgramState(std::filesystem::path dir, Settings loaded_settings, WeaponTable weapon_table);
  ProgramState(const ProgramState&) = delete;
  ProgramState& operator=(const ProgramState&) = delete;

  // Where stats.ini, DeathMsgs.txt, the profiles and games/ live.
  const std::filesystem::path data_dir;
  // The recent files and LastDir, written back to stats.ini when the viewer closes.
  Settings settings;
  const WeaponTable weapons;
  // The current store: filled by a capture or a load, shown by the viewer, then cleared.
  StatsStore store;
  ProfileStore profile_store;
  LoadedProfile loaded_profile;
};

// The program's start once the application exists: reads stats.ini (running
// `show_about` at the very first start). When the settings cannot be used it shows the
// fatal start-up message in the platform's error dialog and returns null, and the
// program ends.
std::unique_ptr<ProgramState> StartProgram(const std::filesystem::path& data_dir,
                                           const std::function<void()>& show_about);

}  // namespace mrv::ui
