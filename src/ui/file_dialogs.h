// The open and save file dialogs behind an interface, so that tests choose the file.
// Windows receive a FileDialogs& from whoever opens them (the main window passes its
// own on); main uses QtFileDialogs, tests a ScriptedFileDialogs:
//
//   ScriptedFileDialogs dialogs;
//   dialogs.SetNextAnswer(PathText(dir / "tonight.stg"));
//   ... click "Load" ...
//   EXPECT_EQ(dialogs.asked().at(0).filter, "Game (*.stg)");
//
// Filters are Qt's form: "Game (*.stg)".
#pragma once

#include <QString>
#include <deque>
#include <filesystem>
#include <string>
#include <vector>

class QWidget;

namespace mrv::ui {

// Where a dialog starts: the last folder a file was chosen in, else `preferred` when it
// is a folder, else the home folder.
QString StartFolder(const std::string& last_dir, const std::filesystem::path& preferred);

class FileDialogs {
 public:
  virtual ~FileDialogs() = default;
  // The chosen file's full name, empty when the dialog was cancelled.
  virtual QString OpenFile(QWidget* parent, const QString& directory, const QString& filter) = 0;
  // The file name to save to, empty when cancelled. `proposed` is a directory, or a
  // file name in it; replacing an existing file is confirmed in the dialog.
  virtual QString SaveFile(QWidget* parent, const QString& caption, const QString& proposed,
                           const QString& filter) = 0;
};

class QtFileDialogs final : public FileDialogs {
 public:
  QString OpenFile(QWidget* parent, const QString& directory, const QString& filter) override;
  QString SaveFile(QWidget* parent, const QString& caption, const QString& proposed,
                   const QString& filter) override;
};

// Answers from a queue (cancelled once it is empty) and records every dialog asked for.
class ScriptedFileDialogs final : public FileDialogs {
 public:
  struct Asked {
    bool save;
    QString caption;   // empty for an open dialog
    QString location;  // the directory, or the proposed file of a save dialog
    QString filter;
  };
  QString OpenFile(QWidget* parent, const QString& directory, const QString& filter) override;
  QString SaveFile(QWidget* parent, const QString& caption, const QString& proposed,
                   const QString& filter) override;

  void SetNextAnswer(const QString& file) { answers_.push_back(file); }
  const std::vector<Asked>& asked() const { return asked_; }

 private:
  QString Next(Asked asked);
  std::deque<QString> answers_;
  std::vector<Asked> asked_;
};

}  // namespace mrv::ui
