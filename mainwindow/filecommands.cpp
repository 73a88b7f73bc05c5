// New, Open, Save, Save As, the recent files and the File menu's hidden
// commands.
#include "mainwindow/filecommands.h"

#include <QDir>
#include <QFileInfo>

#include "engine/calendar.h"
#include "engine/newsituation.h"
#include "files/settings.h"
#include "files/situationfile.h"
#include "files/textitems.h"
#include "mainwindow/boxslots.h"
#include "mainwindow/form1.h"
#include "mainwindow/menus.h"
#include "ui/text.h"

namespace molvane {

namespace {

bool EndsWith(const std::string& s, std::string_view tail) {
  return s.size() >= tail.size() && s.compare(s.size() - tail.size(), tail.size(), tail) == 0;
}

const QString OpenFilter = "Molvane (*.molv);;All Files (*)";
const QString SaveFilter = "Molvane (*.molv)";

}  // namespace

std::string DialogInitialName(const State& s) {
  return IsResumeFilePath(s.isitname) ? s.OriginalSituationName : s.isitname;
}

std::string WithSituationExtension(const std::string& path) {
  const std::string name = GetFileNamePart(path);
  if (name.empty() || name.find('.') != std::string::npos) return path;
  return path + ".molv";
}

std::string ArchiveFileName(const State& s) {
  const std::string& name = s.isitname;
  const std::string stem = name.size() >= 4 ? name.substr(0, name.size() - 4) : std::string();
  return stem + " ~ " + MakeFileDateText(FormatDateTimeText(s.SecondsElapsed)) + ".molv";
}

// ------------------------------------------------------------ main window

QString Form1::askFileName(FileDialogKind kind, const QString& filter) {
  // The dialog opens in a folder that exists: given one that does not, Qt's
  // dialog would propose its last part as the file name.
  QDir().mkpath(dataFolder());
  QString initial = PathText(DialogInitialName(s_));
  if (QDir::isAbsolutePath(initial) && !QFileInfo(initial).absoluteDir().exists())
    initial = QFileInfo(initial).fileName();
  // The save dialog starts in the program's folder; both start in the
  // current file's folder when there is one.
  QString folder = PathText(s_.CurrentFolder);
  if (folder.isEmpty() || kind == FileDialogKind::Save || !QFileInfo(folder).isDir()) folder = dataFolder();
  const QString chosen = dialogs_->fileName(this, {kind, initial, folder, filter});
  if (chosen.isEmpty()) return {};
  const std::optional<std::string> abs = AbsoluteSituationPath(s_, PathBytes(chosen));
  return abs ? PathText(*abs) : QString();
}

void Form1::mnuNew_Click() {
  for (int slot = 1; slot <= MaxSlots; ++slot) {
    closeBoxWindow(BoxKind::Distance, slot);
    closeBoxWindow(BoxKind::Orbit, slot);
    closeBoxWindow(BoxKind::Thrust, slot);
  }
  ResetForNewSituation(s_, *this);
  vscroll1_->setValue(vscroll1_->minimum());
  s_.anchor = false;
  AnchorOnOff();
  UpdateScreenScale();
  setCaptionText("Molvane -- " + dataFolder() + "/New.molv");
  for (int k = 1; k <= MaxCaptions; ++k) setCaptionLabel(k);

  view_.rebuildLabels();
  ResetPlotState();
  clearView();
  refreshObjectLists();
  instruments_->autopilotListReplaced();
  syncMenus();
}

void Form1::OpenMnu_Click() {
  const QString name = askFileName(FileDialogKind::Open, OpenFilter);
  if (name.isEmpty()) {
    UpdateRecentFiles();
    WriteSettingsFile(s_);
    return;
  }
  // A file that could not be opened leaves the current file and the
  // recent list as they were.
  if (!openSituation(PathBytes(name))) return;
  HScroll1_Change();
  VScroll1_Change();
  UpdateRecentFiles();
  WriteSettingsFile(s_);
}

void Form1::mnuSave_Click() {
  if (s_.isitname.empty() || s_.isitname == "New") {
    SaveasMnu_Click();
    return;
  }
  saveSituation(s_.isitname);
}

void Form1::SaveasMnu_Click() {
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
  if (!saveSituation(path)) {
    s_.isitname = previous;
    return;
  }
  s_.CurrentFileName = GetFileNamePart(path);
  setCaptionText("Molvane -- " + name);
  UpdateRecentFiles();
  WriteSettingsFile(s_);
}

void Form1::mnuRecent_Click(int index) {
  if (index < 1 || index > 4 || IsFreeRecentEntry(s_.RecentFiles[index])) return;
  const std::string path = s_.RecentFiles[index];
  if (!openSituation(path)) return;
  HScroll1_Change();
  VScroll1_Change();
  UpdateRecentFiles();
  WriteSettingsFile(s_);
}

void Form1::mnuSaveAndArchive_Click() {
  const std::string& name = s_.isitname;
  if (EndsWith(name, "molv") || name == "New" || name.empty()) {
    SaveasMnu_Click();
    return;
  }
  if (!saveSituation(name)) return;
  if (s_.ArchiveOnSave) saveSituation(ArchiveFileName(s_));
}

void Form1::mnuFullResume_Click() {
  if (s_.isitname.empty()) return;
  s_.KeepCommandsFlag = false;
  openSituation(s_.isitname);
}

void Form1::mnuResumeWithCommands_Click() {
  s_.KeepCommandsFlag = true;
  // A failed open must not keep the flag for the next one.
  if (!openSituation(s_.isitname)) s_.KeepCommandsFlag = false;
}

// Chooses a file without loading it: the current file stays what it is, so
// that Save never writes over a file that was not loaded.
void Form1::mnuOpenBeta_Click() {
  askFileName(FileDialogKind::Open, SaveFilter);
  HScroll1_Change();
  VScroll1_Change();
  UpdateRecentFiles();
  WriteSettingsFile(s_);
  if (s_.BetaFullScreenFlag) {
    LeaveFullScreen();
  } else {
    EnterFullScreen();
  }
}

void Form1::ExitMnu_Click() { close(); }

void Form1::UpdateRecentFiles() {
  molvane::UpdateRecentFiles(s_);
  refreshRecentMenu();
}

void Form1::refreshRecentMenu() {
  if (!menus_) return;
  for (int i = 1; i <= 4; ++i) {
    const std::string& entry = s_.RecentFiles[i];
    QAction* item = menus_->recent[i];
    if (IsFreeRecentEntry(entry) || !item) continue;
    if (menus_->recentSep) menus_->recentSep->setVisible(true);
    QString caption = PathText(entry);
    caption.replace("&", "&&");
    item->setText(caption);
    item->setVisible(true);
  }
}

}  // namespace molvane
