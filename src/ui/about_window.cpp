#include "ui/about_window.h"

#include <QDesktopServices>
#include <QLabel>
#include <QTextBrowser>
#include <QUrl>

#include "product.h"
#include "ui/clickable_label.h"
#include "ui/object_names.h"
#include "ui/theme.h"
#include "ui/window_art.h"
#include "ui/window_frame.h"

namespace mrv::ui {

namespace {

constexpr const char* kHelpText = R"(
<p><b>Console monitor.</b> Start it, then play Urban Terror. Morvane reads the game's
console as you play and counts your stats in real time: kills and deaths by weapon and
opponent, hits by body location, flags captured and returned, and your time on each map.
It can answer you inside the game.</p>
<p><b>Log parser.</b> Reads a console log you saved earlier (<i>qconsole.log</i>) and
counts the same stats. A log holds no time, and nothing is sent to the game.</p>
<p><b>In-game commands</b>, typed in the game's console while the monitor runs:</p>
<table cellspacing="2">
<tr><td><b>ut_echo MRV_GETMYSTATS</b></td><td>your stats on this map</td></tr>
<tr><td><b>ut_echo MRV_GETHITSTATS</b></td><td>where you hit and were hit</td></tr>
<tr><td><b>ut_echo MRV_GETNICKSTATS</b> <i>nick</i></td><td>another player's stats</td></tr>
<tr><td><b>ut_echo MRV_HEADSHOT</b></td><td>headshot sound on or off</td></tr>
</table>
<p>Bind them to keys so that one key press asks, for example:<br>
<b>bind F5 "ut_echo MRV_GETMYSTATS"</b></p>
)";

QLabel* Caption(QWidget* parent, const QString& text, const QString& name, int pixel_size,
                bool bold) {
  auto* label = new QLabel(text, parent);
  label->setObjectName(name);
  QFont font = label->font();
  font.setPixelSize(pixel_size);
  font.setBold(bold);
  label->setFont(font);
  return label;
}

}  // namespace

AboutWindow::AboutWindow(const QString& data_folder, QWidget* parent)
    : QDialog(parent),
      background_(art::kAboutBackground),
      link_(new ClickableLabel(QString::fromLatin1(kHomePage.data(), kHomePage.size()), this)) {
  setObjectName(names::kAboutWindow);
  setModal(true);
  setFixedSize(kSize);
  new WindowFrame(this, QStringLiteral("About Morvane"));

  Caption(this, QStringLiteral("Morvane"), names::kProductNameLabel, 30, true)
      ->setGeometry(24, 32, 300, 40);
  Caption(this, QStringLiteral("Version ") + QString::fromLatin1(kVersion.data(), kVersion.size()),
          names::kVersionLabel, 12, false)
      ->setGeometry(26, 72, 300, 18);

  link_->setObjectName(names::kHomePageLink);
  link_->SetAccessibleRole(QAccessible::Link);
  link_->setGeometry(26, 92, 300, 18);
  ColourLink(Qt::white);
  connect(link_, &ClickableLabel::entered, this, [this] { ColourLink(colours::kLinkHover); });
  connect(link_, &ClickableLabel::left, this, [this] { ColourLink(Qt::white); });
  connect(link_, &ClickableLabel::clicked, this,
          [this] { QDesktopServices::openUrl(QUrl(link_->text())); });

  auto* help = new QTextBrowser(this);
  help->setObjectName(names::kHelpText);
  help->setAccessibleName(QStringLiteral("Help"));
  help->setGeometry(16, 122, kSize.width() - 32, kSize.height() - 122 - 14);
  help->setFrameShape(QFrame::NoFrame);
  // Where the settings, saved games and profiles are comes first, where it is seen.
  help->setHtml(QStringLiteral("<p><b>Data folder:</b> ") + data_folder.toHtmlEscaped() +
                QStringLiteral("</p>") + QString::fromLatin1(kHelpText));
  help->viewport()->setAutoFillBackground(false);
  help->setStyleSheet(QStringLiteral("background: transparent;"));
}

void AboutWindow::ColourLink(const QColor& colour) {
  QPalette palette = link_->palette();
  palette.setColor(QPalette::WindowText, colour);
  link_->setPalette(palette);
}

void AboutWindow::paintEvent(QPaintEvent*) {
  PaintWindowBackground(*this, background_);
}

void ShowAboutWindow(const QString& data_folder, QWidget* parent) {
  AboutWindow about(data_folder, parent);
  about.exec();
}

}  // namespace mrv::ui
