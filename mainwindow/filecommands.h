// The File menu's commands around the situation opener and writer (the
// names the file dialogs propose and the archive copy's name are in
// files/situationfile.h).
#pragma once

#include <QString>
#include <string>

#include "engine/state.h"
#include "ui/dialogs.h"

namespace molvane {

class Form1;

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
  // The file dialog's answer as an absolute path; empty for a cancel.
  QString askFileName(FileDialogKind kind, const QString& filter);

  Form1& form_;
  State& s_;
};

}  // namespace molvane
