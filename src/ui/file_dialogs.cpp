#include "ui/file_dialogs.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>

#include "ui/ui_text.h"

namespace mrv::ui {

QString StartFolder(const std::string& last_dir, const std::filesystem::path& preferred) {
  if (!last_dir.empty()) return PathText(last_dir);
  if (!preferred.empty() && QFileInfo(PathText(preferred)).isDir()) return PathText(preferred);
  return QDir::homePath();
}

QString QtFileDialogs::OpenFile(QWidget* parent, const QString& directory, const QString& filter) {
  return QFileDialog::getOpenFileName(parent, QString(), directory, filter);
}

QString QtFileDialogs::SaveFile(QWidget* parent, const QString& caption, const QString& proposed,
                                const QString& filter) {
  return QFileDialog::getSaveFileName(parent, caption, proposed, filter);
}

QString ScriptedFileDialogs::OpenFile(QWidget*, const QString& directory, const QString& filter) {
  return Next({false, QString(), directory, filter});
}

QString ScriptedFileDialogs::SaveFile(QWidget*, const QString& caption, const QString& proposed,
                                      const QString& filter) {
  return Next({true, caption, proposed, filter});
}

QString ScriptedFileDialogs::Next(Asked asked) {
  asked_.push_back(std::move(asked));
  if (answers_.empty()) return {};
  QString answer = answers_.front();
  answers_.pop_front();
  return answer;
}

}  // namespace mrv::ui
