#include "ui/weapon_grid_panel.h"

#include <QLabel>

#include "ui/grid_table.h"
#include "ui/image_button.h"
#include "ui/theme.h"
#include "ui/window_art.h"

namespace mrv::ui {

namespace {

constexpr int kCountWidth = 44;

}  // namespace

WeaponGridPanel::WeaponGridPanel(const QString& heading, const QString& grid_name,
                             const QString& button_name, QWidget* parent)
    : QWidget(parent),
      heading_(NewHeading(heading, this)),
      details_(new ImageButton(this)),
      grid_(new GridTable(grid_name, 0, kCountWidth, this)) {
  details_->setObjectName(button_name);
  details_->SetGlyph(ArtPicture(art::kButtonDetails));
  details_->setToolTip(QStringLiteral("Details"));
  details_->setAccessibleName(heading.chopped(1) + QStringLiteral(" by opponent"));
  grid_->setAccessibleName(heading.chopped(1));
  details_->setCursor(Qt::PointingHandCursor);
  connect(details_, &ImageButton::clicked, this, &WeaponGridPanel::detailsClicked);
}

void WeaponGridPanel::Show(const Grid& grid) {
  grid_->Show(grid);
}

void WeaponGridPanel::RemoveDetailsButton() {
  details_->hide();
}

QWidget* WeaponGridPanel::DetailsButton() const {
  return details_;
}

void WeaponGridPanel::resizeEvent(QResizeEvent*) {
  const int heading_width = heading_->sizeHint().width();
  heading_->setGeometry(0, 0, heading_width, kHeadingHeight - 4);
  details_->move(heading_width + 6, (kHeadingHeight - 4 - details_->height()) / 2);
  grid_->setGeometry(0, kHeadingHeight, width(), height() - kHeadingHeight);
  grid_->setColumnWidth(0, width() - kCountWidth - 12);  // room for the scroll bar
}

}  // namespace mrv::ui
