// The About box: title, version, and a button that starts the system's
// information program when one can be found.
#pragma once

#include <QDialog>
#include <QLabel>
#include <QPushButton>
#include <QString>
#include <cstdint>

namespace molvane {

class WindowServices;

constexpr int MolvaneVersionMajor = 2;
constexpr int MolvaneVersionMinor = 0;
constexpr int MolvaneVersionRevision = 0;

class frmAbout : public QDialog {
  Q_OBJECT

 public:
  explicit frmAbout(WindowServices& form);

  QLabel* picIcon = nullptr;
  QLabel* lblTitle = nullptr;
  QLabel* lblVersion = nullptr;
  QLabel* lblDescription = nullptr;
  QLabel* Label1 = nullptr;
  QPushButton* cmdOK = nullptr;
  QPushButton* cmdSysInfo = nullptr;

  void cmdOK_Click();
  void cmdSysInfo_Click();
  // Finds and starts the system-information program; a message when there
  // is none. True when one was started.
  bool StartSysInfo();
  // A value of the system's settings store. This platform has none that
  // names an information program: always false, with keyVal empty.
  static bool GetKeyValue(uintptr_t keyRoot, const QString& keyName, const QString& subKeyRef, QString& keyVal);

 private:
  WindowServices& form_;
};

}  // namespace molvane
