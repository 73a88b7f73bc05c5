#include "mainwindow/aboutbox.h"

#include <QFileInfo>
#include <QHBoxLayout>
#include <QProcess>
#include <QVBoxLayout>

#include "engine/state.h"
#include "ui/buttonrow.h"
#include "ui/windowservices.h"

namespace molvane {

namespace {
constexpr uintptr_t LocalMachine = 0x80000002u;
const char* const UnavailableText = "System Information Is Unavailable At This Time";
}  // namespace

// Without an owner; it does not keep the program open once the main window
// has closed.
frmAbout::frmAbout(WindowServices& form) : QDialog(nullptr), form_(form) {
  setAttribute(Qt::WA_DeleteOnClose);
  setAttribute(Qt::WA_QuitOnClose, false);
  setWindowTitle("About Molvane");
  setWindowIcon(form.mainWidget().windowIcon());
  auto* outer = new QVBoxLayout(this);
  auto* top = new QHBoxLayout;
  picIcon = new QLabel(this);
  picIcon->setPixmap(form.mainWidget().windowIcon().pixmap(48, 48));
  lblTitle = new QLabel("Molvane", this);
  QFont f = lblTitle->font();
  f.setPointSize(f.pointSize() + 6);
  f.setBold(true);
  lblTitle->setFont(f);
  top->addWidget(picIcon);
  top->addWidget(lblTitle, 1);
  outer->addLayout(top);
  lblVersion = new QLabel(this);
  lblVersion->setText(
      QString("Version %1.%2.%3").arg(MolvaneVersionMajor).arg(MolvaneVersionMinor).arg(MolvaneVersionRevision));
  outer->addWidget(lblVersion);
  auto* line1 = new QFrame(this);
  line1->setFrameShape(QFrame::HLine);
  outer->addWidget(line1);
  lblDescription = new QLabel(
      "Simulates up to 1000 bodies under their mutual gravity: planets, moons, stars, spacecraft and probes.", this);
  lblDescription->setWordWrap(true);
  outer->addWidget(lblDescription);
  Label1 = new QLabel("Positions in metres, readouts in kilometres and kilometres per second.", this);
  Label1->setWordWrap(true);
  outer->addWidget(Label1);
  auto* line2 = new QFrame(this);
  line2->setFrameShape(QFrame::HLine);
  outer->addWidget(line2);
  cmdOK = new QPushButton("OK", this);
  cmdSysInfo = new QPushButton("&System Info...", this);
  AddButtonRow(outer, {cmdOK, cmdSysInfo});
  cmdOK->setObjectName("cmdOK");
  cmdSysInfo->setObjectName("cmdSysInfo");
  connect(cmdOK, &QPushButton::clicked, this, [this] { cmdOK_Click(); });
  connect(cmdSysInfo, &QPushButton::clicked, this, [this] { cmdSysInfo_Click(); });
}

void frmAbout::cmdOK_Click() { close(); }

void frmAbout::cmdSysInfo_Click() { StartSysInfo(); }

bool frmAbout::GetKeyValue(uintptr_t, const QString&, const QString&, QString& keyVal) {
  keyVal.clear();
  return false;
}

bool frmAbout::StartSysInfo() {
  QString path;
  if (GetKeyValue(LocalMachine, "SOFTWARE\\Microsoft\\Shared Tools\\MSINFO", "PATH", path) &&
      QProcess::startDetached(path, {})) {
    return true;
  }
  QString folder;
  if (GetKeyValue(LocalMachine, "SOFTWARE\\Microsoft\\Shared Tools Location", "MSINFO", folder)) {
    const QString file = folder + "/MSINFO32.EXE";
    if (QFileInfo::exists(file) && QProcess::startDetached(file, {})) return true;
  }
  if (!form_.state().ScreenSaverMode) form_.message(UnavailableText);
  return false;
}

}  // namespace molvane
