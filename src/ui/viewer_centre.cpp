#include "ui/viewer_centre.h"

#include <QLabel>

#include "ui/body_map_view.h"
#include "ui/grid_table.h"
#include "ui/image_button.h"
#include "ui/object_names.h"
#include "ui/weapon_grid_panel.h"
#include "ui/window_art.h"
#include "views/body_map.h"

namespace mrv::ui {

namespace {

struct TabLook {
  CentreTab tab;
  const char* art;
  const char* caption;
  const char* name;
};
constexpr std::array<TabLook, 3> kTabs = {{
    {CentreTab::kHitsGiven, art::kTabHitsGiven, "Hits &given", names::kHitsGivenTab},
    {CentreTab::kHitsTaken, art::kTabHitsTaken, "Hits &taken", names::kHitsTakenTab},
    {CentreTab::kKillsAndDeaths, art::kTabKillsDeaths, "&Kills && deaths", names::kKillsDeathsTab},
}};

constexpr int kTabStep = 124;
constexpr int kPageTop = 34;
constexpr int kHitsGridWidth = 196;
constexpr int kBodyMapLeft = 224;
constexpr int kBodyMapTop = 34;
constexpr int kGridGap = 10;

}  // namespace

ViewerCentre::ViewerCentre(QWidget* parent)
    : QWidget(parent),
      hits_page_(new QWidget(this)),
      weapons_page_(new QWidget(this)),
      hits_grid_(new GridTable(names::kHitsGrid, kHitsGridWidth - 50, 46, hits_page_)),
      deciding_(new ImageButton(hits_page_)),
      deciding_caption_(new QLabel(hits_page_)),
      body_map_(new BodyMapView(hits_page_)),
      hits_note_(new QLabel(hits_page_)),
      kills_(new WeaponGridPanel(QStringLiteral("Kills:"), names::kKillsGrid,
                                 names::kKillsDetailsButton, weapons_page_)),
      deaths_(new WeaponGridPanel(QStringLiteral("Deaths:"), names::kDeathsGrid,
                                  names::kDeathsDetailsButton, weapons_page_)) {
  for (std::size_t i = 0; i < kTabs.size(); ++i) {
    auto* tab = new ImageButton(this);
    tab->setObjectName(QString::fromLatin1(kTabs[i].name));
    tab->SetGlyph(ArtPicture(kTabs[i].art));
    tab->SetCaption(QString::fromLatin1(kTabs[i].caption));
    tab->SetTextLeft(28);
    tab->SetStayDown(true);
    tab->SetCanBeUp(false);
    tab->move(static_cast<int>(i) * kTabStep, 0);
    const CentreTab which = kTabs[i].tab;
    connect(tab, &ImageButton::clicked, this, [this, which] { emit tabPressed(which); });
    tabs_[i] = tab;
  }

  resize(kSize);
  hits_grid_->setGeometry(0, 0, kHitsGridWidth, kHitsGridRows * GridTable::kRowHeight + 2);
  deciding_->setObjectName(names::kDecidingHitsToggle);
  deciding_->SetGlyph(ArtPicture(art::kToggleDecidingHits));
  deciding_->SetStayDown(true);
  deciding_->setToolTip(
      QStringLiteral("Only the hits that killed, or the last hit before a death"));
  deciding_->setAccessibleName(QStringLiteral("Deciding hits only"));
  hits_grid_->setAccessibleName(QStringLiteral("Hits by location"));
  deciding_->move(kBodyMapLeft, 0);
  connect(deciding_, &ImageButton::clicked, this, &ViewerCentre::decidingHitsPressed);
  deciding_caption_->setObjectName(names::kDecidingHitsCaption);
  deciding_caption_->setGeometry(kBodyMapLeft + 30, 0, 160, 24);
  body_map_->setObjectName(names::kBodyMap);
  body_map_->move(kBodyMapLeft, kBodyMapTop);
  hits_note_->setObjectName(names::kHitsNote);
  hits_note_->setGeometry(kBodyMapLeft - 20, kBodyMapTop + kViewerBodyMapHeight / 3,
                          kSize.width() - kBodyMapLeft + 20, 80);
  hits_note_->setWordWrap(true);
  hits_note_->setAlignment(Qt::AlignCenter);
  hits_note_->setMargin(6);
  hits_note_->setAutoFillBackground(true);  // readable over the body picture
  hits_note_->hide();

  connect(kills_, &WeaponGridPanel::detailsClicked, this, [this] { emit detailsClicked(true); });
  connect(deaths_, &WeaponGridPanel::detailsClicked, this, [this] { emit detailsClicked(false); });
  // Tab goes along the tabs, then into the page they show.
  setTabOrder(tabs_.back(), deciding_);
  setTabOrder(deciding_, kills_->DetailsButton());
  setTabOrder(kills_->DetailsButton(), deaths_->DetailsButton());
}

void ViewerCentre::resizeEvent(QResizeEvent*) {
  hits_page_->setGeometry(0, kPageTop, width(), height() - kPageTop);
  weapons_page_->setGeometry(hits_page_->geometry());
  const int grid_width = (weapons_page_->width() - kGridGap) / 2;
  kills_->setGeometry(0, 0, grid_width, weapons_page_->height());
  deaths_->setGeometry(grid_width + kGridGap, 0, grid_width, weapons_page_->height());
}

void ViewerCentre::ShowTab(CentreTab tab, bool deciding_hits) {
  for (std::size_t i = 0; i < kTabs.size(); ++i) tabs_[i]->SetIsDown(kTabs[i].tab == tab);
  deciding_->SetIsDown(deciding_hits);
  deciding_caption_->setText(deciding_hits ? QStringLiteral("Deciding hits only")
                                           : QStringLiteral("All hits"));
  const bool hits = tab != CentreTab::kKillsAndDeaths;
  hits_page_->setVisible(hits);
  weapons_page_->setVisible(!hits);
}

void ViewerCentre::ShowHits(const Grid& hits_grid) {
  hits_grid_->Show(hits_grid);
  body_map_->Show(hits_grid);
}

void ViewerCentre::ShowHitsNote(const QString& note) {
  hits_note_->setText(note);
  hits_note_->setVisible(!note.isEmpty());
}

void ViewerCentre::ShowWeaponGrids(const Grid& kills, const Grid& deaths) {
  kills_->Show(kills);
  deaths_->Show(deaths);
}

void ViewerCentre::RemoveDetailsButtons() {
  for (WeaponGridPanel* box : {kills_, deaths_}) box->RemoveDetailsButton();
}

}  // namespace mrv::ui
