// New, Open, Save, Save As, the recent files and the File menu's hidden
// commands.
#include "mainwindow/filecommands.h"

#include <QDir>
#include <QFileInfo>
#include <QScrollBar>

#include "engine/calendar.h"
#include "engine/newsituation.h"
#include "files/settings.h"
#include "files/situationfile.h"
#include "files/textitems.h"
#include "mainwindow/addboxes.h"
#include "mainwindow/form1.h"
#include "mainwindow/menus.h"
#include "ui/text.h"

namespace molvane {

namespace {

const QString OpenFilter = "Molvane (*.molv);;All Files (*)";
const QString SaveFilter = "Molvane (*.molv)";

}  // namespace

QString FileCommands::askFileName(FileDialogKind kind, const QString& filter) {
  // The dialog opens in a folder that exists: given one that does not, Qt's
  // dialog would propose its last part as the file name.
  QDir().mkpath(form_.dataFolder());
  QString initial = PathText(DialogInitialName(s_));
  if (QDir::isAbsolutePath(initial) && !QFileInfo(initial).absoluteDir().exists())
    initial = QFileInfo(initial).fileName();
  // The save dialog starts in the program's folder; both start in the
  // current file's folder when there is one.
  QString folder = PathText(s_.CurrentFolder);
  if (folder.isEmpty() || kind == FileDialogKind::Save || !QFileInfo(folder).isDir()) folder = form_.dataFolder();
  const QString chosen = form_.dialogs().fileName(&form_, {kind, initial, folder, filter});
  if (chosen.isEmpty()) return {};
  const std::optional<std::string> abs = AbsoluteSituationPath(s_, PathBytes(chosen));
  return abs ? PathText(*abs) : QString();
}

FileCommands::FileCommands(Form1& form) : form_(form), s_(form.state()) {}

void FileCommands::mnuNew_Click() {
  for (int slot = 1; slot <= MaxSlots; ++slot) {
    form_.boxSlots().closeBoxWindow(BoxKind::Distance, slot);
    form_.boxSlots().closeBoxWindow(BoxKind::Orbit, slot);
    form_.boxSlots().closeBoxWindow(BoxKind::Thrust, slot);
  }
  ResetForNewSituation(s_, form_);
  QScrollBar* tilt = form_.vscroll1();
  tilt->setValue(tilt->minimum());
  s_.anchor = false;
  form_.AnchorOnOff();
  form_.UpdateScreenScale();
  form_.setCaptionText("Molvane -- " + form_.dataFolder() + "/New.molv");
  for (int k = 1; k <= MaxCaptions; ++k) form_.setCaptionLabel(k);

  form_.view().rebuildLabels();
  form_.ResetPlotState();
  form_.clearView();
  form_.refreshObjectLists();
  form_.instruments().autopilotListReplaced();
  form_.syncMenus();
}

void FileCommands::OpenMnu_Click() {
  const QString name = askFileName(FileDialogKind::Open, OpenFilter);
  if (name.isEmpty()) {
    UpdateRecentFiles();
    WriteSettingsFile(s_);
    return;
  }
  // A file that could not be opened leaves the current file and the
  // recent list as they were.
  if (!form_.openSituation(PathBytes(name))) return;
  opened();
}

// After a file was opened: the tilt handlers run, the file goes first in
// the recent list and the settings keep the list.
void FileCommands::opened() {
  form_.HScroll1_Change();
  form_.VScroll1_Change();
  UpdateRecentFiles();
  WriteSettingsFile(s_);
}

void FileCommands::mnuSave_Click() {
  if (s_.isitname.empty() || s_.isitname == "New") {
    SaveasMnu_Click();
    return;
  }
  form_.saveSituation(s_.isitname);
}

void FileCommands::SaveasMnu_Click() {
  const QString name = askFileName(FileDialogKind::Save, SaveFilter);
  if (name.isEmpty()) {
    UpdateRecentFiles();
    WriteSettingsFile(s_);
    return;
  }
  const std::string path = WithSituationExtension(PathBytes(name));
  // The file is written under its new name (it records the name it was
  // saved as); a save that failed (or a read-only file left alone) names
  // nothing new.
  const std::string previous = s_.isitname;
  s_.isitname = path;
  if (!form_.saveSituation(path)) {
    s_.isitname = previous;
    return;
  }
  s_.CurrentFileName = GetFileNamePart(path);
  form_.setCaptionText("Molvane -- " + name);
  UpdateRecentFiles();
  WriteSettingsFile(s_);
}

void FileCommands::mnuRecent_Click(int index) {
  if (index < 1 || index > 4 || IsFreeRecentEntry(s_.RecentFiles[index])) return;
  const std::string path = s_.RecentFiles[index];
  if (!form_.openSituation(path)) return;
  opened();
}

void FileCommands::mnuSaveAndArchive_Click() {
  const std::string& name = s_.isitname;
  if (name.ends_with("molv") || name == "New" || name.empty()) {
    SaveasMnu_Click();
    return;
  }
  if (!form_.saveSituation(name)) return;
  if (s_.ArchiveOnSave) form_.saveSituation(ArchiveFileName(s_));
}

void FileCommands::mnuFullResume_Click() {
  if (s_.isitname.empty()) return;
  s_.KeepCommandsFlag = false;
  form_.openSituation(s_.isitname);
}

void FileCommands::mnuResumeWithCommands_Click() {
  s_.KeepCommandsFlag = true;
  // A failed open must not keep the flag for the next one.
  if (!form_.openSituation(s_.isitname)) s_.KeepCommandsFlag = false;
}

// Chooses a file without loading it: the current file stays what it is, so
// that Save never writes over a file that was not loaded.
void FileCommands::mnuOpenBeta_Click() {
  askFileName(FileDialogKind::Open, SaveFilter);
  opened();
  if (s_.BetaFullScreenFlag) {
    form_.LeaveFullScreen();
  } else {
    form_.EnterFullScreen();
  }
}

void FileCommands::ExitMnu_Click() { form_.close(); }

void FileCommands::UpdateRecentFiles() {
  molvane::UpdateRecentFiles(s_);
  refreshRecentMenu();
}

void FileCommands::refreshRecentMenu() {
  MainMenus& menus = form_.menus();
  for (int i = 1; i <= 4; ++i) {
    const std::string& entry = s_.RecentFiles[i];
    QAction* item = menus.recent[i];
    if (IsFreeRecentEntry(entry) || !item) continue;
    if (menus.recentSep) menus.recentSep->setVisible(true);
    QString caption = PathText(entry);
    caption.replace("&", "&&");
    item->setText(caption);
    item->setVisible(true);
  }
}

}  // namespace molvane
