// The "Options:" box of the capture dialog: the headshot-sound box with its "test"
// label, and the two pages of monitor options behind the tab labels "frag stats
// options" and "hit stats options", with the "save options" label that a change of a
// page's option shows. Each control is bound to one field of CaptureOptions.
//
// While a capture runs, Follow gives it the run's options: every change of a control is
// written there at once, one option at a time, so that a change the run made meanwhile
// (the in-game headshot command, shown with ShowHeadshot) is never overwritten.
#pragma once

#include <QColor>
#include <QGroupBox>
#include <vector>

#include "files/capture_options.h"
#include "ui/object_names.h"

class QCheckBox;
class QSpinBox;
class QStackedWidget;

namespace mrv::ui {

class ClickableLabel;

class MonitorOptionsBox : public QGroupBox {
  Q_OBJECT

 public:
  static inline const QColor kSelectedTab{81, 90, 94};
  static inline const QColor kUnselectedTab{73, 71, 71};

  explicit MonitorOptionsBox(QWidget* parent = nullptr);

  // Sets the options the controls show; the others stay as they are.
  void ReadInto(CaptureOptions& options) const;
  void SetOptions(const CaptureOptions& options);
  void SetSaveLabelShown(bool shown);
  void Follow(CaptureOptions* live);
  void ShowHeadshot(bool enabled);

 signals:
  void testClicked();
  void saveClicked();

 private:
  // The five controls of one page.
  struct Page {
    QCheckBox* cyclic;
    QSpinBox* period;
    QCheckBox* after_kill;
    QCheckBox* after_death;
    QCheckBox* announcements;
  };
  struct FlagControl {
    QCheckBox* box;
    LiveOption<bool> CaptureOptions::*option;
  };
  struct PeriodControl {
    QSpinBox* spin;
    LiveOption<std::int32_t> CaptureOptions::*option;
  };

  Page AddPage(const names::OptionsPageNames& page_names, const QString& period_hint);
  ClickableLabel* AddTab(const QString& caption, const QString& name);
  void Bind();
  void SelectTab(int page);
  void PaintTab(ClickableLabel* tab, bool opaque);

  QCheckBox* headshot_;
  ClickableLabel* save_;
  QStackedWidget* pages_;
  std::vector<ClickableLabel*> tabs_;
  std::vector<FlagControl> flags_;  // headshot_sound first
  std::vector<PeriodControl> periods_;
  CaptureOptions* live_ = nullptr;
};

}  // namespace mrv::ui
