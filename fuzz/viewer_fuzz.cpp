// Opens arbitrary bytes as a saved game, as `morvane-cli show` and the stats viewer do:
// both reports are written, and the viewer's document takes the actions the input's
// last bytes name (its first byte says how many). Whatever a damaged file holds, the
// reports and the viewer must neither crash nor hang.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <ostream>
#include <streambuf>
#include <string>
#include <string_view>

#include "cli/report_json.h"
#include "cli/report_text.h"
#include "files/profile_store.h"
#include "files/saved_game.h"
#include "fuzz_support.h"
#include "views/report_model.h"
#include "views/stats_viewer.h"

namespace {

const mrv::fuzz::ScratchFolder& Folder() {
  static const mrv::fuzz::ScratchFolder folder("viewer");
  return folder;
}

// Says yes to every question, so that the map popup's deletes go through; names nothing.
class Agreeing final : public mrv::Prompt {
 public:
  void Inform(const std::string&, const std::string&) override {}
  bool Ask(const std::string&, const std::string&) override { return true; }
  bool AskText(const std::string&, const std::string&, std::string&) override { return false; }
  void Error(const std::string&, const std::string&) override {}
};

// Takes what it is given and keeps nothing.
class Discard final : public std::streambuf {
 protected:
  int overflow(int c) override { return c; }
  std::streamsize xsputn(const char*, std::streamsize n) override { return n; }
};

void WriteReports(const std::string& name, const mrv::StatsStore& store) {
  Discard discard;
  std::ostream out(&discard);
  for (const auto listed : {mrv::ReportWeapons::kLeftOut, mrv::ReportWeapons::kListed}) {
    const mrv::Report report = mrv::ReportOf(name, store, mrv::fuzz::ShippedWeapons(), listed);
    mrv::cli::PrintReportText(out, report, true);
    mrv::cli::PrintReportJson(out, report, true);
  }
}

// A row of a list of `size` rows, or now and then one past its end.
int RowOf(std::uint8_t byte, std::size_t size) {
  return static_cast<int>(byte % (size + 1));
}

void Act(mrv::StatsViewer& viewer, std::uint8_t action, std::uint8_t value) {
  const bool flag = (action & 0x80) != 0;
  switch (action % 11) {
    case 0:
      viewer.ClickMap(RowOf(value, viewer.maps().size()), flag);
      break;
    case 1:
      viewer.ClickPlayer(RowOf(value, viewer.players().size()), flag);
      break;
    case 2:
      viewer.PressTab(static_cast<mrv::CentreTab>(value % 3));
      break;
    case 3:
      viewer.PressDecidingHits();
      break;
    case 4:
      viewer.OpenWeaponDetails(flag);
      break;
    case 5:
      viewer.ClickOverallColumn(value % viewer.overall().columns().size());
      break;
    case 6:
      viewer.SelectOverallRow(RowOf(value, viewer.overall().rows().size()));
      break;
    case 7:
      viewer.ClickDetailsColumn(value % 12);
      break;
    case 8:
      viewer.OpenOneOnOneDetails(value & 1, flag);
      break;
    case 9:
      viewer.HideWindow(static_cast<mrv::ViewerWindow>(value % 4));
      break;
    default:
      // The popup's rows start at the first map.
      if (viewer.maps().size() > 1) viewer.DeleteMap(1 + value % (viewer.maps().size() - 1));
      break;
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  const std::size_t actions = std::min<std::size_t>(data[0], (size - 1) / 2) * 2;
  const std::string_view game(reinterpret_cast<const char*>(data) + 1, size - 1 - actions);
  const std::uint8_t* steps = data + size - actions;
  const auto file = Folder().path() / "input.stg";
  mrv::fuzz::WriteFile(file, game);

  mrv::SilentPrompt prompt;
  mrv::StatsStore store(mrv::fuzz::ShippedWeapons().size());
  std::string name;
  if (!mrv::LoadGame(store, file, name, prompt)) return 0;
  WriteReports(name, store);

  mrv::ProfileStore profiles(Folder().path(), mrv::fuzz::ShippedWeapons().size());
  mrv::LoadedProfile loaded;
  Agreeing agreeing;
  mrv::StatsViewer viewer({store, mrv::fuzz::ShippedWeapons(), Folder().path(), agreeing, profiles, loaded});
  viewer.OpenGame((data[0] & 1) != 0, name);
  for (std::size_t i = 0; i < actions; i += 2) Act(viewer, steps[i], steps[i + 1]);
  return 0;
}
