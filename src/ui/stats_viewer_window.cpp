// The stats viewer's window: its widgets, what each user action asks of the document,
// and the redraw of what the document changed.
#include "ui/stats_viewer_window.h"

#include <QLabel>
#include <QShortcut>

#include "ui/clickable_label.h"
#include "ui/object_names.h"
#include "ui/one_on_one_window.h"
#include "ui/player_table_window.h"
#include "ui/popup_lines.h"
#include "ui/program_state.h"
#include "ui/progress_window.h"
#include "ui/row_list.h"
#include "ui/team_pictures.h"
#include "ui/theme.h"
#include "ui/ui_text.h"
#include "ui/viewer_centre.h"
#include "ui/viewer_side_panel.h"
#include "ui/window_art.h"
#include "ui/window_frame.h"

namespace mrv::ui {

namespace {

// At the smallest size; a larger window gives a quarter of its extra width to the lists
// (the middle column moves right with them) and the rest to the centre, a third of its
// extra height to the map list and the rest to the player list.
constexpr int kListLeft = 10;
constexpr int kListWidth = 190;
constexpr int kHeadingHeight = 18;
constexpr int kTop = kTitleStripHeight + 6;
constexpr int kMapListHeight = 160;
constexpr int kGap = 8;
constexpr int kBottomMargin = 10;
constexpr int kSidePanelLeft = 210;
constexpr int kSidePanelWidth = 200;
constexpr int kCentreLeft = 420;

QLabel* Heading(const QString& text, const QString& name, QWidget* parent) {
  QLabel* heading = NewHeading(text, parent);
  heading->setObjectName(name);
  return heading;
}

// The document's hooks open the dialogs that main provides over the viewer's window.
ViewerHooks HooksFor(ProgramState& state, const ViewerDialogs& dialogs, StatsViewerWindow* window) {
  ViewerHooks hooks;
  if (dialogs.load_profile) {
    hooks.load_profile = [&state, load = dialogs.load_profile, window] { load(state, window); };
  }
  if (dialogs.export_html) {
    hooks.export_html = [&state, open = dialogs.export_html, window] {
      open(state, window->document(), window);
    };
  }
  return hooks;
}

void ShowOnTop(QWidget& window, bool visible) {
  if (visible == window.isVisible()) return;
  window.setVisible(visible);
  if (visible) window.raise();
}

std::vector<RowList::Row> ListRows(const std::vector<ListEntry>& entries,
                                   const QColor& first_colour) {
  std::vector<RowList::Row> rows;
  rows.reserve(entries.size());
  for (const ListEntry& entry : entries) {
    rows.push_back({FromGameText(entry.caption), rows.empty() ? first_colour : QColor(Qt::white),
                    QPixmap(), entry.selected});
  }
  return rows;
}

}  // namespace

StatsViewerWindow::StatsViewerWindow(ProgramState& state, const ViewerDialogs& dialogs,
                                     QWidget* opener)
    : QDialog(opener),
      state_(state),
      opener_(opener),
      prompt_(this),
      document_({state.store, state.weapons, state.data_dir, prompt_, state.profile_store,
                 state.loaded_profile},
                HooksFor(state, dialogs, this)),
      background_(art::kViewerBackground),
      frame_(new WindowFrame(this, QString(), {.resizable = true, .maximise = true})),
      menu_label_(frame_->AddLabel(QStringLiteral("  menu"), names::kMenuLabel)),
      side_(new ViewerSidePanel(this)),
      centre_(new ViewerCentre(this)),
      menu_(new PopupLines(names::kMenuPopup, this)),
      map_popup_(new PopupLines(names::kMapPopup, this)) {
  setObjectName(names::kStatsViewerWindow);
  setMinimumSize(kSize);
  resize(kSize);
  BuildLists();
  LayOut();
  // Tab goes from the menu label down the lists, then to the centre.
  setTabOrder(menu_label_, maps_);
  setTabOrder(maps_, players_);
  setTabOrder(players_, games_);
  BuildSecondaryWindows();
  // The menu from anywhere in the window, as the label in the strip opens it.
  connect(new QShortcut(QKeySequence(Qt::ALT | Qt::Key_M), this), &QShortcut::activated, this,
          &StatsViewerWindow::ShowMenu);

  menu_->setAccessibleName(QStringLiteral("Menu"));
  map_popup_->setAccessibleName(QStringLiteral("Map"));
  connect(menu_label_, &ClickableLabel::pressed, this, &StatsViewerWindow::ShowMenu);
  connect(menu_, &PopupLines::chosen, this, &StatsViewerWindow::RunMenuLine);
  map_popup_->SetLines({{QStringLiteral("  Delete map")}, {QStringLiteral("  Rename map")}});
  connect(map_popup_, &PopupLines::chosen, this, [this](int line) {
    map_popup_->hide();
    Apply(line == 0 ? document_.DeleteMap(popup_row_) : document_.RenameMap(popup_row_));
  });
  connect(centre_, &ViewerCentre::tabPressed, this,
          [this](CentreTab tab) { Apply(document_.PressTab(tab)); });
  connect(centre_, &ViewerCentre::decidingHitsPressed, this,
          [this] { Apply(document_.PressDecidingHits()); });
  connect(centre_, &ViewerCentre::detailsClicked, this,
          [this](bool kills) { Apply(document_.OpenWeaponDetails(kills)); });
}

StatsViewerWindow::~StatsViewerWindow() = default;

void StatsViewerWindow::BuildLists() {
  maps_heading_ = Heading(QStringLiteral("Maps:"), names::kMapsHeading, this);
  maps_ = new RowList(names::kMapList, colours::kSelectedMap, this);
  maps_->setAccessibleName(QStringLiteral("Maps"));
  players_heading_ = Heading(QStringLiteral("Nicknames:"), names::kPlayersHeading, this);
  players_ = new RowList(names::kPlayerList, colours::kSelectedPlayer, this);
  players_->setAccessibleName(QStringLiteral("Nicknames"));
  games_heading_ = Heading(QStringLiteral("Games:"), names::kGamesHeading, this);
  games_ = new RowList(names::kGameList, colours::kSelectedMap, this);
  games_->setAccessibleName(QStringLiteral("Games"));
  games_count_ = new QLabel(this);
  games_count_->setObjectName(names::kGameCount);
  ShowListsOfMode(false);

  connect(maps_, &RowList::leftPressed, this, [this](int row, Qt::KeyboardModifiers keys) {
    Apply(document_.ClickMap(row, keys.testFlag(Qt::ControlModifier)));
  });
  connect(maps_, &RowList::rightPressed, this, &StatsViewerWindow::OpenMapPopup);
  connect(players_, &RowList::leftPressed, this, [this](int row, Qt::KeyboardModifiers keys) {
    Apply(document_.ClickPlayer(row, keys.testFlag(Qt::ControlModifier)));
  });
  connect(games_, &RowList::leftPressed, this, &StatsViewerWindow::ClickGame);
}

void StatsViewerWindow::resizeEvent(QResizeEvent*) {
  LayOut();
}

void StatsViewerWindow::LayOut() {
  const int extra_width = std::max(0, width() - kSize.width());
  const int extra_height = std::max(0, height() - kSize.height());
  const int list_width = kListWidth + extra_width / 4;
  const int bottom = height() - kBottomMargin;

  maps_heading_->setGeometry(kListLeft, kTop, list_width, kHeadingHeight);
  maps_->setGeometry(kListLeft, kTop + kHeadingHeight, list_width,
                     kMapListHeight + extra_height / 3);
  const int players_top = maps_->geometry().bottom() + 1 + kGap;
  players_heading_->setGeometry(kListLeft, players_top, list_width, kHeadingHeight);
  players_->setGeometry(kListLeft, players_top + kHeadingHeight, list_width,
                        bottom - players_top - kHeadingHeight);
  games_heading_->setGeometry(kListLeft, kTop, list_width, kHeadingHeight);
  games_->setGeometry(kListLeft, kTop + kHeadingHeight, list_width,
                      bottom - kTop - 2 * kHeadingHeight - 4);
  games_count_->setGeometry(kListLeft, bottom - kHeadingHeight, list_width, kHeadingHeight);

  const int moved = list_width - kListWidth;
  side_->setGeometry(kSidePanelLeft + moved, kTop + 2, kSidePanelWidth, bottom - kTop - 2);
  centre_->setGeometry(kCentreLeft + moved, kTop,
                       ViewerCentre::kSize.width() + extra_width - moved,
                       ViewerCentre::kSize.height() + extra_height);
}

void StatsViewerWindow::ShowListsOfMode(bool profile) {
  for (QWidget* game_only :
       std::initializer_list<QWidget*>{maps_heading_, maps_, players_heading_, players_}) {
    game_only->setVisible(!profile);
  }
  for (QWidget* profile_only :
       std::initializer_list<QWidget*>{games_heading_, games_, games_count_}) {
    profile_only->setVisible(profile);
  }
}

void StatsViewerWindow::BuildSecondaryWindows() {
  overall_ = new PlayerTableWindow(names::kOverallWindow, names::kOverallList,
                                   QStringLiteral("Overall stats"), this);
  details_ = new PlayerTableWindow(names::kWeaponDetailsWindow, names::kWeaponDetailsList,
                                   QString(), this);
  one_on_one_ = new OneOnOneWindow(this);
  connect(overall_, &PlayerTableWindow::columnClicked, this,
          [this](int column) { Apply(document_.ClickOverallColumn(column)); });
  connect(overall_, &PlayerTableWindow::rowSelected, this,
          [this](int row) { Apply(document_.SelectOverallRow(row)); });
  connect(overall_, &PlayerTableWindow::closed, this,
          [this] { Apply(document_.HideWindow(ViewerWindow::kOverall)); });
  connect(details_, &PlayerTableWindow::columnClicked, this,
          [this](int column) { Apply(document_.ClickDetailsColumn(column)); });
  connect(details_, &PlayerTableWindow::closed, this,
          [this] { Apply(document_.HideWindow(ViewerWindow::kWeaponDetails)); });
  connect(one_on_one_, &OneOnOneWindow::detailsClicked, this,
          [this](int side, bool kills) { Apply(document_.OpenOneOnOneDetails(side, kills)); });
  connect(one_on_one_, &OneOnOneWindow::closed, this,
          [this] { Apply(document_.HideWindow(ViewerWindow::kOneOnOne)); });
}

void StatsViewerWindow::OpenGame(const ViewerOpening& opening) {
  Apply(document_.OpenGame(opening.monitor, opening.last_game, opening.never_saved));
  frame_->SetTitle(QStringLiteral("Stats of ") + FromGameText(document_.last_game()));
  maps_->setFocus();
}

void StatsViewerWindow::OpenProfile() {
  ShowListsOfMode(true);
  side_->RemoveLegend();
  centre_->RemoveDetailsButtons();
  delete overall_;
  delete details_;
  delete one_on_one_;
  overall_ = details_ = nullptr;
  one_on_one_ = nullptr;
  progress_ = new ProgressWindow(this);
  connect(progress_, &ProgressWindow::closed, this,
          [this] { Apply(document_.HideWindow(ViewerWindow::kProgress)); });
  const LoadedProfile& loaded = state_.loaded_profile;
  frame_->SetTitle(QStringLiteral("Profile ") +
                   (loaded ? PathText(std::filesystem::path(loaded->name).stem()) : QString()));
  Apply(document_.OpenProfile());
  games_->setFocus();
}

void StatsViewerWindow::ShowMenu() {
  const ViewerMenu menu = document_.menu();
  std::vector<PopupLines::Line> lines;
  for (const MenuSlot& slot : menu.lines) {
    lines.push_back({FromGameText(slot.caption), slot.grey, slot.separator_above});
  }
  menu_->SetLines(std::move(lines));
  // Under the label, as far right as the label ends.
  const QRect label(menu_label_->mapTo(this, QPoint(0, 0)), menu_label_->size());
  menu_->ShowAt(QPoint(label.right() - menu_->width(), kTitleStripHeight));
}

void StatsViewerWindow::RunMenuLine(int line) {
  menu_->hide();
  Apply(document_.RunMenuSlot(line + 1));
}

void StatsViewerWindow::OpenMapPopup(int stack_y, QPoint global) {
  const int row = stack_y / RowList::kRowHeight;
  // Not on "all maps", nor below the last map.
  if (stack_y <= RowList::kRowHeight || row >= static_cast<int>(document_.maps().size())) return;
  popup_row_ = row;
  map_popup_->ShowAt(mapFromGlobal(global) - QPoint(10, 5));
}

void StatsViewerWindow::ClickGame(int row, Qt::KeyboardModifiers modifiers) {
  const bool shift = modifiers.testFlag(Qt::ShiftModifier);
  const bool ctrl = modifiers.testFlag(Qt::ControlModifier);
  const auto& games = document_.games();
  std::vector<int> entries;
  for (int i = 0; i < static_cast<int>(games.size()); ++i) {
    const bool was = games[static_cast<std::size_t>(i)].selected;
    const bool selected =
        shift  ? std::min(row, games_anchor_) <= i && i <= std::max(row, games_anchor_)
        : ctrl ? (i == row) != was
               : i == row;
    if (selected) entries.push_back(i);
  }
  if (!shift) games_anchor_ = row;
  Apply(document_.SelectGames(entries));
}

void StatsViewerWindow::Apply(ViewerChanges changes) {
  ShowLists(changes);
  if (changes.Has(ViewerPart::kPlayerPanel)) {
    side_->ShowPlayer(document_.shown_nickname(), document_.player_panel());
  }
  if (changes.Has(ViewerPart::kYourStats)) {
    side_->ShowYourStats(document_.your_stats(), document_.your_stats_visible());
  }
  if (changes.Has(ViewerPart::kTeamTotals)) side_->ShowTeamTotals(document_.team_totals());
  if (changes.Has(ViewerPart::kWeaponGrids)) {
    centre_->ShowWeaponGrids(document_.kills_grid(), document_.deaths_grid());
  }
  if (changes.Has(ViewerPart::kTab)) centre_->ShowTab(document_.tab(), document_.deciding_hits());
  if (changes.Has(ViewerPart::kHitsPanel)) {
    centre_->ShowHits(document_.hits_grid());
    centre_->ShowHitsNote(FromGameText(document_.hits_note()));
  }
  ShowSecondaryWindows(changes);
  if (changes.Has(ViewerPart::kFatalError)) {
    EndWithFatalError();
  } else if (changes.Has(ViewerPart::kCloseRequest)) {
    if (isVisible()) {
      close();
    } else {
      close_requested_ = true;
    }
  }
}

void StatsViewerWindow::ShowLists(ViewerChanges changes) {
  if (changes.Has(ViewerPart::kMapList)) {
    maps_->SetRows(ListRows(document_.maps(), colours::kAllMapsText));
  }
  if (changes.Has(ViewerPart::kGamesList)) {
    games_->SetRows(ListRows(document_.games(), Qt::white));
    games_count_->setText(FromGameText(document_.games_count_line()));
  }
  if (changes.Has(ViewerPart::kPlayerList)) {
    std::vector<RowList::Row> rows;
    rows.reserve(document_.players().size());
    for (const PlayerEntry& player : document_.players()) {
      rows.push_back({FromGameText(player.nickname), QColor(TeamColour(player.mark)),
                      FlagPixmap(player.mark, players_->devicePixelRatioF()), player.selected});
    }
    players_->SetRows(std::move(rows));
  }
}

void StatsViewerWindow::ShowSecondaryWindows(ViewerChanges changes) {
  // A hidden table is not filled: showing it is a change of its own, which fills it.
  if (overall_ != nullptr && changes.Has(ViewerPart::kOverall)) {
    const OverallTable& overall = document_.overall();
    if (overall.visible) overall_->ShowTable(overall.columns(), overall.rows(), -1);
    ShowOnTop(*overall_, overall.visible);
  }
  if (details_ != nullptr && changes.Has(ViewerPart::kWeaponDetails)) {
    const WeaponDetails& details = document_.weapon_details();
    if (details.visible) {
      details_->SetTitle(FromGameText(details.title));
      details_->ShowTable(details.columns(), details.rows(), details.selected_row());
    }
    ShowOnTop(*details_, details.visible);
  }
  if (one_on_one_ != nullptr && changes.Has(ViewerPart::kOneOnOne)) {
    const bool visible = document_.one_on_one_visible();
    if (visible) {
      one_on_one_->Show(document_.one_on_one());
      if (!one_on_one_->isVisible()) {
        one_on_one_->CentreOn(opener_ != nullptr ? opener_->geometry() : geometry());
      }
    }
    ShowOnTop(*one_on_one_, visible);
  }
  if (progress_ != nullptr && changes.Has(ViewerPart::kProgress)) {
    const bool visible = document_.progress_visible();
    if (visible) {
      progress_->ShowProgress(document_.progress(), document_.progress_error());
      if (!progress_->isVisible()) {
        // Over the viewer, the first time and after each close.
        progress_->move(geometry().center() - progress_->rect().center());
        KeepOnScreen(*progress_);
      }
    }
    ShowOnTop(*progress_, visible);
  }
}

void StatsViewerWindow::paintEvent(QPaintEvent*) {
  PaintWindowBackground(*this, background_);
}

}  // namespace mrv::ui
