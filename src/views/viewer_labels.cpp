#include "views/viewer_labels.h"

#include "model/text.h"

namespace mrv {

namespace {

std::string Number(std::int64_t value) {
  return std::to_string(value);
}

}  // namespace

std::string FlagsCapturedLine(std::int64_t caps, std::int64_t flags_taken) {
  return "Flags captured: " + Number(caps) + "    " + CapturePercent(caps, flags_taken) + "%";
}

PlayerPanel BarePlayerPanel() {
  return {"Kills: ",          "Deaths: ",      "Kill/Death ratio: ",    "Flags captured: ",
          "Flags returned: ", "Flags taken: ", "Flag carriers killed: "};
}

PlayerPanel PanelOf(const OwnTotals& figures, std::string ratio) {
  return {"Kills: " + Number(figures.kills),
          "Deaths: " + Number(figures.deaths),
          std::move(ratio),
          FlagsCapturedLine(figures.caps, figures.flags_taken),
          "Flags returned: " + Number(figures.rets),
          "Flags taken: " + Number(figures.flags_taken),
          "Flag carriers killed: " + Number(figures.carrier_kills)};
}

PlayerPanel ShowPlayer(const PlayerStats& stats, const WeaponTable& weapons, Grid& kills_grid,
                       Grid& deaths_grid) {
  FillWeaponGrid(kills_grid, stats.kills, weapons);
  FillWeaponGrid(deaths_grid, stats.deaths, weapons);
  OwnTotals shown;
  shown.kills = AllWeaponsTotal(stats.kills);
  shown.deaths = AllWeaponsTotal(stats.deaths);
  shown.caps = stats.caps;
  shown.rets = stats.rets;
  shown.carrier_kills = stats.carrier_kills;
  shown.flags_taken = stats.flags_taken;
  return PanelOf(shown, "Kill/Death: " + KillDeathText(shown.kills, shown.deaths));
}

PlayerPanel ProfilePlayerPanel(const OwnTotals& profile) {
  return PanelOf(profile, profile.deaths != 0
                              ? "Kill/Death ratio: " + KillDeathText(profile.kills, profile.deaths)
                              : "Kill/Deaths ratio: never died");
}

YourStats YourStatsOf(const OwnTotals& figures) {
  YourStats labels;
  labels.kills = "Kills: " + Number(figures.kills);
  labels.deaths = "Deaths: " + Number(figures.deaths);
  labels.ratio = "Kill/Deaths ratio: " + KillDeathText(figures.kills, figures.deaths);
  if (figures.seconds != 0) {
    const double minutes = static_cast<double>(figures.seconds) / 60.0;
    labels.kills_per_minute =
        "Kills per minute: " + FormatRatio(static_cast<double>(figures.kills) / minutes);
    labels.time = "Time: " + FormatSeconds(figures.seconds);
  } else {
    labels.kills_per_minute = "Kills per minute: N/A";
    labels.time = "Time: N/A";
  }
  labels.flags_taken = "Flags taken: " + Number(figures.flags_taken);
  labels.caps = FlagsCapturedLine(figures.caps, figures.flags_taken);
  labels.rets = "Flags returned: " + Number(figures.rets);
  labels.carrier_kills = "Flag carriers killed: " + Number(figures.carrier_kills);
  return labels;
}

TeamTotalLabels TeamTotalLabelsOf(const TeamTotals& totals) {
  TeamTotalLabels labels;
  labels.blue_caps += Number(totals.blue_caps);
  labels.blue_rets += Number(totals.blue_rets);
  labels.blue_flags_taken += Number(totals.blue_flags_taken);
  labels.red_caps += Number(totals.red_caps);
  labels.red_rets += Number(totals.red_rets);
  labels.red_flags_taken += Number(totals.red_flags_taken);
  labels.visible = totals.blue_caps != 0 || totals.blue_rets != 0 || totals.blue_flags_taken != 0 ||
                   totals.red_caps != 0 || totals.red_rets != 0 || totals.red_flags_taken != 0;
  return labels;
}

}  // namespace mrv
