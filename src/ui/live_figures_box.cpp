#include "ui/live_figures_box.h"

#include <QLabel>
#include <QVBoxLayout>

#include "ui/object_names.h"
#include "ui/theme.h"
#include "ui/ui_text.h"

namespace mrv::ui {

namespace {

QLabel* Line(QWidget* parent, const char* name) {
  auto* label = new QLabel(parent);
  label->setObjectName(name);
  return label;
}

// A name the game has not told yet reads as such, in the dim colour.
void ShowName(QLabel& label, const QString& caption, const std::string& name) {
  label.setText(caption + (name.empty() ? QStringLiteral("not known yet") : FromGameText(name)));
  QPalette palette = label.palette();
  palette.setColor(QPalette::WindowText, name.empty() ? colours::kDimText : colours::kText);
  label.setPalette(palette);
}

}  // namespace

LiveFiguresBox::LiveFiguresBox(QWidget* parent)
    : QGroupBox(QStringLiteral("Live figures:"), parent),
      map_(Line(this, names::kLiveMap)),
      nickname_(Line(this, names::kLiveNickname)),
      figures_(Line(this, names::kLiveFigures)) {
  setObjectName(names::kLiveFiguresBox);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(8, 6, 8, 6);
  layout->setSpacing(3);
  for (QLabel* line : {map_, nickname_, figures_}) layout->addWidget(line);
  layout->addStretch();
  Show({});
}

void LiveFiguresBox::Show(const mrv::LiveFigures& figures) {
  ShowName(*map_, QStringLiteral("Map: "), figures.map);
  ShowName(*nickname_, QStringLiteral("You: "), figures.nickname);
  figures_->setText(QStringLiteral("Kills: %1    Deaths: %2    Hits given: %3")
                        .arg(figures.kills)
                        .arg(figures.deaths)
                        .arg(figures.hits_given));
}

}  // namespace mrv::ui
