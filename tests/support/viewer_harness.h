// A viewer over a real store: one of the saved games the sample logs give (see
// tests/samples), read with the shipped weapon table, in a scratch program folder, with
// a recording prompt and a profile component of its own.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "files/profile_store.h"
#include "model/stats_store.h"
#include "model/weapons.h"
#include "support/fakes.h"
#include "support/paths.h"
#include "views/stats_viewer.h"

namespace mrv::test {

class ViewerHarness {
 public:
  // An empty store when `sample` is empty; otherwise tests/data/golden/<sample>.stg.
  explicit ViewerHarness(const std::string& sample = "");

  // Gives every map the own player "Morv" and ten minutes, as a live capture would.
  void MakeMonitored();
  // Creates the profile file <name>.mrv with the nickname Morv and loads it.
  void LoadNewProfile(const std::string& name);
  // Loads the new profile Morv.mrv and adds the store to it once a game, under each
  // name, as the viewer's "Add game to profile" does; what the prompt showed is dropped.
  void AddToNewProfile(const std::vector<std::string>& games);
  // The viewer, made on first use with the hooks as they are then.
  StatsViewer& viewer();
  // The texts the prompt showed, in order, and forgets them.
  std::vector<std::string> TakeShown();

  WeaponTable weapons;
  StatsStore store;
  FakePrompt prompt;
  ScratchDir dir;
  ProfileStore profile_store;
  LoadedProfile loaded;
  ViewerHooks hooks;

 private:
  std::unique_ptr<StatsViewer> viewer_;
};

}  // namespace mrv::test
