// The kill-message templates of DeathMsgs.txt: each entry is a weapon code followed by
// a template. Loaded once per capture dialog, read-only afterwards.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "capture/matching/template_set.h"
#include "files/prompt.h"
#include "model/weapons.h"

namespace mrv {

// Shows the corrupted-templates message at most once per capture.
class CorruptTemplateNotice {
 public:
  explicit CorruptTemplateNotice(Prompt& prompt) : prompt_(prompt) {}
  void Report();
  bool shown() const { return shown_; }

 private:
  Prompt& prompt_;
  bool shown_ = false;
};

struct Kill {
  std::string_view killer;  // AbsentMark when the template has no killer
  std::string_view victim;  // AbsentMark when the template has no victim
  int weapon = -1;          // -1 when the entry's code is not in the weapon table
};

class DeathTemplates {
 public:
  DeathTemplates() = default;
  // Builds the list from the file's lines: blank-trimmed, comments removed, and the
  // code of the last line that mentions "exploding monkey" remembered.
  static DeathTemplates FromLines(std::vector<std::string> lines);

  const std::vector<std::string>& entries() const { return entries_; }
  // Per entry, its template without the code; entries that never match included.
  const TemplateSet& compiled() const { return compiled_; }
  // Weapon code whose kills play the monkey sound; 0 when no template names it.
  char MonkeyCode() const { return monkey_code_; }

 private:
  std::vector<std::string> entries_;
  TemplateSet compiled_;  // one per entry, the code left out
  char monkey_code_ = 0;
};

// Reads DeathMsgs.txt from the data folder. A missing file, or one that is no
// regular file or cannot be read, is reported and gives no templates, so that a
// capture still counts everything but kills.
DeathTemplates LoadDeathTemplates(const std::filesystem::path& data_dir, Prompt& prompt);

// The first template that matches the line decides. A malformed template met on the
// way is reported through the notice and counts as not matching. `plain` tries every
// template in order instead of only those the line's ending allows.
std::optional<Kill> MatchKillAmong(const DeathTemplates& templates, const WeaponTable& weapons,
                                   const ConsoleLine& line, CorruptTemplateNotice& notice,
                                   bool plain);
inline std::optional<Kill> MatchKill(const DeathTemplates& templates, const WeaponTable& weapons,
                                     const ConsoleLine& line, CorruptTemplateNotice& notice,
                                     bool plain = false) {
  // Most lines are turned away here, without a call.
  if (!plain && !templates.compiled().MayMatch(line)) return std::nullopt;
  return MatchKillAmong(templates, weapons, line, notice, plain);
}
inline std::optional<Kill> MatchKill(const DeathTemplates& templates, const WeaponTable& weapons,
                                     std::string_view line, CorruptTemplateNotice& notice) {
  return MatchKill(templates, weapons, ConsoleLine(line), notice);
}

}  // namespace mrv
