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

PlayerPanel ShowPlayer(const PlayerStats& stats, const WeaponTable& weapons, Grid& kills_grid,
                       Grid& deaths_grid) {
  const std::int64_t k = FillWeaponGrid(kills_grid, stats.kills, weapons);
  const std::int64_t d = FillWeaponGrid(deaths_grid, stats.deaths, weapons);
  PlayerPanel panel;
  panel.ratio = "Kill/Death: " + KillDeathText(k, d);
  panel.kills = "Kills: " + Number(k);
  panel.deaths = "Deaths: " + Number(d);
  panel.caps = FlagsCapturedLine(stats.caps, stats.ft);
  panel.rets = "Flags returned: " + Number(stats.rets);
  panel.fck = "Flag carriers killed: " + Number(stats.fck);
  panel.ft = "Flags taken: " + Number(stats.ft);
  return panel;
}

PlayerPanel ProfilePlayerPanel(const OwnTotals& profile) {
  PlayerPanel panel;
  panel.kills = "Kills: " + Number(profile.kills);
  panel.deaths = "Deaths: " + Number(profile.deaths);
  panel.ratio = profile.deaths != 0
                    ? "Kill/Death ratio: " + KillDeathText(profile.kills, profile.deaths)
                    : "Kill/Deaths ratio: never died";
  panel.caps = FlagsCapturedLine(profile.caps, profile.ft);
  panel.rets = "Flags returned: " + Number(profile.rets);
  panel.ft = "Flags taken: " + Number(profile.ft);
  panel.fck = "Flag carriers killed: " + Number(profile.fck);
  return panel;
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
  labels.ft = "Flags taken: " + Number(figures.ft);
  labels.caps = FlagsCapturedLine(figures.caps, figures.ft);
  labels.rets = "Flags returned: " + Number(figures.rets);
  labels.fck = "Flag carriers killed: " + Number(figures.fck);
  return labels;
}

TeamTotalLabels TeamTotalLabelsOf(const TeamTotals& totals) {
  TeamTotalLabels labels;
  labels.blue_caps += Number(totals.blue_caps);
  labels.blue_rets += Number(totals.blue_rets);
  labels.blue_ft += Number(totals.blue_ft);
  labels.red_caps += Number(totals.red_caps);
  labels.red_rets += Number(totals.red_rets);
  labels.red_ft += Number(totals.red_ft);
  labels.visible = totals.blue_caps != 0 || totals.blue_rets != 0 || totals.blue_ft != 0 ||
                   totals.red_caps != 0 || totals.red_rets != 0 || totals.red_ft != 0;
  return labels;
}

}  // namespace mrv
