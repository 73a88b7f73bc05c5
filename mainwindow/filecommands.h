// The File menu's commands around the situation opener and writer: the
// file dialogs, the names they propose and store, and the archive copy.
#pragma once

#include <QFileDialog>
#include <QString>
#include <QWidget>
#include <functional>
#include <memory>
#include <string>

#include "engine/state.h"

namespace molvane {

class Form1;

enum class FileDialogKind { Open, Save };

// Shows a file dialog and returns the chosen path, empty for a cancel.
// `filter` is in Qt's form ("Molvane (*.molv);;All Files (*)"). Tests
// replace it on the main window with one that answers at once.
using FileDialogHook =
    std::function<QString(FileDialogKind kind, const QString& initialName, const QString& folder, const QString& filter)>;

// Qt's own file dialog (never the platform's) as the File menu shows it,
// not yet shown. The save dialog asks before overwriting an existing file.
std::unique_ptr<QFileDialog> MakeFileDialog(QWidget* parent, FileDialogKind kind, const QString& initialName,
                                            const QString& folder, const QString& filter);
// Shows it and returns the chosen path, empty for a cancel.
QString RunFileDialog(QWidget* parent, FileDialogKind kind, const QString& initialName, const QString& folder,
                      const QString& filter);

// The name the dialogs propose: the situation the resume file stands for
// while the resume file is current, else the current file.
std::string DialogInitialName(const State& s);

// A name chosen in the save dialog without an extension gets ".molv".
std::string WithSituationExtension(const std::string& path);

// "<isitname less its last four characters> ~ <file date text>.molv".
std::string ArchiveFileName(const State& s);

// New, Open, Save, Save As, the recent files and the File menu's hidden
// commands, on the main window's situation.
class FileCommands {
 public:
  explicit FileCommands(Form1& form);

  void mnuNew_Click();
  void OpenMnu_Click();
  void mnuSave_Click();  // also Ctrl+S from any window
  void SaveasMnu_Click();
  void mnuRecent_Click(int index);  // 1..4
  void mnuSaveAndArchive_Click();
  void mnuFullResume_Click();
  void mnuResumeWithCommands_Click();
  void mnuOpenBeta_Click();
  void ExitMnu_Click();
  // Puts the current file first in the recent list and shows the list.
  void UpdateRecentFiles();
  void refreshRecentMenu();

 private:
  void opened();

  Form1& form_;
  State& s_;
};

}  // namespace molvane
