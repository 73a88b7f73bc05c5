#include "mainwindow/screensaver.h"

#include <QApplication>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QVBoxLayout>

#include "engine/state.h"
#include "files/fileio.h"
#include "ui/buttonrow.h"
#include "ui/dialogs.h"
#include "ui/text.h"
#include "ui/windowservices.h"
#include "ui/windowstyle.h"

namespace molvane {

frmScreenSaverSettings::frmScreenSaverSettings(WindowServices& form) : QDialog(&form.mainWidget()), form_(form) {
  setAttribute(Qt::WA_DeleteOnClose);
  setWindowTitle("Screen Saver Settings");
  setWindowIcon(form.mainWidget().windowIcon());
  endProgram = [] { QCoreApplication::quit(); };

  auto* outer = new QVBoxLayout(this);
  Frame1 = new QGroupBox("Startup File", this);
  auto* f1 = new QVBoxLayout(Frame1);
  auto* row = new QHBoxLayout;
  Text1 = new QLineEdit(Frame1);
  Text1->setMinimumWidth(300);
  Command1 = new QPushButton("Browse...", Frame1);
  row->addWidget(Text1);
  row->addWidget(Command1);
  f1->addLayout(row);
  Option1 = new QRadioButton("Always use this file", Frame1);
  Option2 = new QRadioButton("Continue where screensaver last terminated", Frame1);
  f1->addWidget(Option1);
  f1->addWidget(Option2);
  outer->addWidget(Frame1);
  Command2 = new QPushButton("OK", this);
  Command3 = new QPushButton("Cancel", this);
  AddButtonRow(outer, {Command2, Command3});
  Command1->setObjectName("Command1");
  Command2->setObjectName("Command2");
  Command3->setObjectName("Command3");
  connect(Command1, &QPushButton::clicked, this, [this] { Command1_Click(); });
  connect(Command2, &QPushButton::clicked, this, [this] { Command2_Click(); });
  connect(Command3, &QPushButton::clicked, this, [this] { Command3_Click(); });

  // Form_Load: the stored mode is not shown; "Always use this file" stays
  // selected.
  Option1->setChecked(true);
  if (form.state().ScreenSaverMode) ShowMouseCursor();
  ScreenSaverSettings stored;
  if (ReadScreenSaverSettingsFile(PathBytes(settingsPath()), stored)) {
    fileName_ = PathText(stored.path);
    Text1->setText(fileName_);
  }
}

QString frmScreenSaverSettings::settingsPath() const { return form_.dataFolder() + "/molvss.ini"; }

void frmScreenSaverSettings::Command1_Click() {
  const FileRequest request{FileDialogKind::Open, QString(), fileName_, "Molvane (*.molv)", true};
  const QString chosen = form_.dialogs().fileName(this, request);
  if (chosen.isEmpty()) return;
  fileName_ = chosen;
  Text1->setText(chosen);
}

// Text typed into the box alone is not taken: the path is the one last read
// or browsed. The copy gives continue mode a starting point; a failed copy
// does not keep the program from ending.
void frmScreenSaverSettings::Command2_Click() {
  EnsureFolder(PathBytes(form_.dataFolder()));
  ScreenSaverSettings s{PathBytes(fileName_), Option1->isChecked()};
  SaveFileAtomically(PathBytes(settingsPath()), ScreenSaverSettingsText(s));
  if (!fileName_.isEmpty()) {
    const QFileInfo chosen(fileName_);
    const QString copy = chosen.absolutePath() + "/resumess.molv";
    std::string bytes;
    if (chosen.absoluteFilePath() != QFileInfo(copy).absoluteFilePath() &&
        ReadWholeFile(PathBytes(chosen.absoluteFilePath()), 256u << 20, bytes) == ReadFileStatus::Ok) {
      SaveFileAtomically(PathBytes(copy), bytes);
    }
  }
  close();
  if (endProgram) endProgram();
}

void frmScreenSaverSettings::Command3_Click() {
  close();
  if (endProgram) endProgram();
}

}  // namespace molvane
