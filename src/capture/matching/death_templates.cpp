#include "capture/matching/death_templates.h"

#include "product.h"
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
  std::vector<CompiledTemplate> compiled;
  compiled.reserve(templates.entries_.size());
  for (const std::string& entry : templates.entries_) {
    compiled.push_back(entry.empty() ? CompiledTemplate::Never()
                                     : CompiledTemplate(std::string_view(entry).substr(1)));
  }
  templates.compiled_ = TemplateSet(std::move(compiled));
  return templates;
}

DeathTemplates LoadDeathTemplates(const std::filesystem::path& data_dir, Prompt& prompt) {
  // A file that cannot be read whole (a folder, a fifo, no permission, a read error)
  // counts as missing: half a template list would count some kills and not others.
  LineReader reader(kMaxTemplateLine);
  std::vector<std::string> lines;
  if (reader.Open(data_dir / kFileName, InputKind::kRegular)) {
    std::string line;
    while (lines.size() < kMaxTemplateLines && reader.Next(line)) lines.push_back(line);
  }
  if (!reader.is_open() || reader.read_error()) {
    prompt.Error(
        "The death messages file (DeathMsgs.txt) was not found in the program directory!\n\r\r"
        "Only hits will be counted.",
        "File not found!");
    return {};
  }
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

std::optional<Kill> MatchKillAmong(const DeathTemplates& templates, const WeaponTable& weapons,
                                   const ConsoleLine& line, CorruptTemplateNotice& notice,
                                   bool plain) {
  bool faults_met = false;
  const TemplateSet& set = templates.compiled();
  const auto found =
      plain ? set.FirstMatchInOrder(line.text(), faults_met) : set.FirstMatch(line, faults_met);
  if (faults_met) notice.Report();
  if (!found) return std::nullopt;
  const char code = templates.entries()[found->index][0];
  return Kill{found->texts.killer, found->texts.victim, weapons.FindWeaponByCode(code)};
}

}  // namespace mrv
