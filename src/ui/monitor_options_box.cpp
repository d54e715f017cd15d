#include "ui/monitor_options_box.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QSpinBox>
#include <QStackedWidget>
#include <QVBoxLayout>

#include "ui/clickable_label.h"
#include "ui/object_names.h"

namespace mrv::ui {

namespace {

constexpr int kTabHeight = 18;

QCheckBox* CheckBox(QWidget* parent, const QString& caption, const QString& name, bool checked) {
  auto* box = new QCheckBox(caption, parent);
  box->setObjectName(name);
  box->setChecked(checked);
  return box;
}

}  // namespace

MonitorOptionsBox::MonitorOptionsBox(QWidget* parent)
    : QGroupBox(QStringLiteral("Options:"), parent), pages_(new QStackedWidget(this)) {
  setObjectName(names::kMonitorOptionsBox);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(8, 6, 8, 4);
  layout->setSpacing(4);

  auto* headshot_row = new QHBoxLayout;
  headshot_ = CheckBox(this, QStringLiteral("headshot sound "), names::kHeadshotSoundBox, true);
  headshot_->setToolTip(
      QStringLiteral("this sound will be played when you hit someone in the head"));
  auto* test = new ClickableLabel(QStringLiteral("<u>test</u>"), this);
  test->setObjectName(names::kTestSoundLink);
  test->SetAccessibleRole(QAccessible::Link);
  test->setAccessibleName(QStringLiteral("Test the headshot sound"));
  connect(test, &ClickableLabel::clicked, this, &MonitorOptionsBox::testClicked);
  headshot_row->addWidget(headshot_);
  headshot_row->addWidget(test);
  headshot_row->addStretch();
  layout->addLayout(headshot_row);

  auto* tab_row = new QHBoxLayout;
  tab_row->setSpacing(2);
  tab_row->addWidget(AddTab(QStringLiteral("frag stats options"), names::kFragOptionsTab));
  tab_row->addWidget(AddTab(QStringLiteral("hit stats options"), names::kHitOptionsTab));
  tab_row->addStretch();
  layout->addLayout(tab_row);
  layout->addSpacing(-4);

  pages_->setObjectName(names::kOptionPages);
  pages_->setFrameShape(QFrame::Box);
  pages_->setStyleSheet(QStringLiteral("QStackedWidget#%1 { border: 1px solid #515a5e; }")
                            .arg(QLatin1String(names::kOptionPages)));
  layout->addWidget(pages_);

  save_ = new ClickableLabel(QStringLiteral("<u>save options</u>"), this);
  save_->setObjectName(names::kSaveOptionsLink);
  save_->SetAccessibleRole(QAccessible::Link);
  connect(save_, &ClickableLabel::clicked, this, &MonitorOptionsBox::saveClicked);
  layout->addWidget(save_, 0, Qt::AlignRight);

  // The dialog's own values, until the stored options are loaded.
  const Page frag =
      AddPage(names::kFragOptions, QStringLiteral("keep this different from hits stats cycle"));
  const Page hit =
      AddPage(names::kHitOptions, QStringLiteral("keep this different from frag stats cycle"));
  frag.period->setValue(60);
  hit.period->setValue(120);
  hit.after_kill->setChecked(false);
  hit.after_death->setChecked(false);
  flags_ = {
      {headshot_, &CaptureOptions::headshot_sound},
      {frag.cyclic, &CaptureOptions::cyclic_stats},
      {frag.after_kill, &CaptureOptions::stats_after_kill},
      {frag.after_death, &CaptureOptions::stats_after_death},
      {frag.announcements, &CaptureOptions::frag_announcements},
      {hit.cyclic, &CaptureOptions::cyclic_hits},
      {hit.after_kill, &CaptureOptions::hits_after_kill},
      {hit.after_death, &CaptureOptions::hits_after_death},
      {hit.announcements, &CaptureOptions::streak_announcements},
  };
  periods_ = {
      {frag.period, &CaptureOptions::stats_every_seconds},
      {hit.period, &CaptureOptions::hits_every_seconds},
  };
  Bind();
  SelectTab(0);
}

MonitorOptionsBox::Page MonitorOptionsBox::AddPage(const names::OptionsPageNames& page_names,
                                                   const QString& period_hint) {
  auto* page = new QWidget(pages_);
  page->setObjectName(page_names.page);
  auto* layout = new QVBoxLayout(page);
  layout->setContentsMargins(8, 4, 8, 4);
  layout->setSpacing(2);
  Page controls;
  controls.cyclic = CheckBox(page, QStringLiteral("cyclic stats display"), page_names.cyclic, true);
  layout->addWidget(controls.cyclic);

  auto* period_row = new QHBoxLayout;
  period_row->setContentsMargins(18, 0, 0, 0);
  period_row->addWidget(new QLabel(QStringLiteral("display your stats every"), page));
  controls.period = new QSpinBox(page);
  controls.period->setObjectName(page_names.period);
  controls.period->setRange(CaptureOptions::kMinPeriod, CaptureOptions::kMaxPeriod);
  controls.period->setToolTip(period_hint);
  controls.period->setAccessibleName(QStringLiteral("Display your stats every (seconds)"));
  controls.period->setFixedWidth(52);
  period_row->addWidget(controls.period);
  period_row->addWidget(new QLabel(QStringLiteral("seconds"), page));
  period_row->addStretch();
  layout->addLayout(period_row);

  controls.after_kill =
      CheckBox(page, QStringLiteral("display stats on every frag"), page_names.after_kill, true);
  controls.after_death =
      CheckBox(page, QStringLiteral("display stats when you die"), page_names.after_death, true);
  controls.announcements =
      CheckBox(page, QStringLiteral("other random messages"), page_names.announcements, true);
  layout->addWidget(controls.after_kill);
  layout->addWidget(controls.after_death);
  layout->addWidget(controls.announcements);
  layout->addStretch();
  // The cycle box governs its period.
  connect(controls.cyclic, &QCheckBox::toggled, controls.period, &QWidget::setEnabled);
  pages_->addWidget(page);
  return controls;
}

ClickableLabel* MonitorOptionsBox::AddTab(const QString& caption, const QString& name) {
  auto* tab = new ClickableLabel(caption, this);
  tab->setObjectName(name);
  tab->SetAccessibleRole(QAccessible::PageTab);
  tab->setFixedHeight(kTabHeight);
  tab->setContentsMargins(6, 0, 6, 0);
  const int page = static_cast<int>(tabs_.size());
  connect(tab, &ClickableLabel::clicked, this, [this, page] { SelectTab(page); });
  // Hovering lights a tab that is not the selected one.
  connect(tab, &ClickableLabel::entered, this, [this, tab] {
    if (tab->palette().color(QPalette::Window) != kSelectedTab) PaintTab(tab, true);
  });
  connect(tab, &ClickableLabel::left, this, [this, tab] {
    if (tab->palette().color(QPalette::Window) != kSelectedTab) PaintTab(tab, false);
  });
  tabs_.push_back(tab);
  return tab;
}

void MonitorOptionsBox::Bind() {
  for (const FlagControl& flag : flags_) {
    connect(flag.box, &QCheckBox::toggled, this, [this, flag](bool checked) {
      if (live_ != nullptr) live_->*flag.option = checked;
      if (flag.box != headshot_) SetSaveLabelShown(true);
    });
  }
  for (const PeriodControl& period : periods_) {
    connect(period.spin, &QSpinBox::valueChanged, this, [this, period](int value) {
      if (live_ != nullptr) live_->*period.option = value;
      SetSaveLabelShown(true);
    });
  }
}

void MonitorOptionsBox::SelectTab(int page) {
  pages_->setCurrentIndex(page);
  for (int i = 0; i < static_cast<int>(tabs_.size()); ++i) {
    ClickableLabel* tab = tabs_[static_cast<std::size_t>(i)];
    QPalette palette = tab->palette();
    palette.setColor(QPalette::Window, i == page ? kSelectedTab : kUnselectedTab);
    tab->setPalette(palette);
    PaintTab(tab, i == page);
  }
}

void MonitorOptionsBox::PaintTab(ClickableLabel* tab, bool opaque) {
  tab->setAutoFillBackground(opaque);
  tab->update();
}

void MonitorOptionsBox::ReadInto(CaptureOptions& options) const {
  for (const FlagControl& flag : flags_) options.*flag.option = flag.box->isChecked();
  for (const PeriodControl& period : periods_) options.*period.option = period.spin->value();
}

void MonitorOptionsBox::SetOptions(const CaptureOptions& options) {
  for (const FlagControl& flag : flags_) flag.box->setChecked(options.*flag.option);
  for (const PeriodControl& period : periods_) period.spin->setValue(options.*period.option);
}

void MonitorOptionsBox::SetSaveLabelShown(bool shown) {
  save_->setVisible(shown);
}

void MonitorOptionsBox::Follow(CaptureOptions* live) {
  live_ = live;
}

void MonitorOptionsBox::ShowHeadshot(bool enabled) {
  const QSignalBlocker quiet(headshot_);
  headshot_->setChecked(enabled);
}

}  // namespace mrv::ui
