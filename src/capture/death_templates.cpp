#include "capture/death_templates.h"

#include "capture/home_page.h"
#include "files/line_reader.h"

namespace mrv {

namespace {

constexpr char kFileName[] = "DeathMsgs.txt";
// A templates file is a few kB; these bounds only stop a hostile one from eating memory.
constexpr std::size_t kMaxTemplateLine = 1 << 16;
constexpr std::size_t kMaxTemplateLines = 1 << 16;

void TrimBlanks(std::string& text) {
  const std::size_t first = text.find_first_not_of(' ');
  if (first == std::string::npos) {
    text.clear();
    return;
  }
  text.erase(text.find_last_not_of(' ') + 1);
  text.erase(0, first);
}

}  // namespace

DeathTemplates DeathTemplates::FromLines(std::vector<std::string> lines) {
  DeathTemplates templates;
  std::size_t kept = 0;
  for (std::size_t i = 0; i < lines.size(); ++i) {
    std::string& entry = lines[i];
    // The monkey test looks at the line as written, before any trimming.
    if (entry.find("exploding monkey", 1) != std::string::npos && entry[0] != '#') {
      templates.monkey_code_ = entry[0];
    }
    TrimBlanks(entry);
    if (entry.starts_with('#')) continue;
    if (kept != i) lines[kept] = std::move(entry);
    ++kept;
  }
  lines.resize(kept);
  templates.entries_ = std::move(lines);
  templates.compiled_.reserve(templates.entries_.size());
  for (const std::string& entry : templates.entries_) {
    templates.compiled_.push_back(entry.empty()
                                      ? CompiledTemplate::Never()
                                      : CompiledTemplate(std::string_view(entry).substr(1)));
  }
  return templates;
}

DeathTemplates LoadDeathTemplates(const std::filesystem::path& program_dir, Prompt& prompt) {
  LineReader reader(kMaxTemplateLine);
  if (!reader.Open(program_dir / kFileName)) {
    prompt.Error(
        "The death messages file (DeathMsgs.txt) was not found in the program directory!\n\r\r"
        "Only hits will be counted.",
        "File not found!");
    return {};
  }
  std::vector<std::string> lines;
  std::string line;
  while (lines.size() < kMaxTemplateLines && reader.Next(line)) lines.push_back(line);
  return DeathTemplates::FromLines(std::move(lines));
}

void CorruptTemplateNotice::Report() {
  if (shown_) return;
  shown_ = true;
  prompt_.Error(
      "Your DeathMsgs.txt file seems corrupted!\r\nYou may get the most recent version at " +
          std::string(kHomePage) + "\r\nThe stats can be wrong!",
      "Error");
}

std::optional<Kill> MatchKill(const DeathTemplates& templates, const WeaponTable& weapons,
                              std::string_view line, CorruptTemplateNotice& notice) {
  const std::vector<std::string>& entries = templates.entries();
  const std::vector<CompiledTemplate>& compiled = templates.compiled();
  SlotTexts slots;
  for (std::size_t i = 0; i < compiled.size(); ++i) {
    switch (MatchTemplate(compiled[i], line, slots)) {
      case TemplateResult::kMatch:
        return Kill{slots.killer, slots.victim, weapons.FindWeaponByCode(entries[i][0])};
      case TemplateResult::kMalformed:
        notice.Report();
        break;
      case TemplateResult::kNoMatch:
        break;
    }
  }
  return std::nullopt;
}

}  // namespace mrv
