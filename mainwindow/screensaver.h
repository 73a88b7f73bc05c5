// The screen-saver settings dialog: one situation file and whether the
// screen saver always starts from it or continues where it last stopped
// (files/screensaversettings.h). Only the dormant screen-saver start opens
// this dialog; both of its buttons end the program.
#pragma once

#include <QDialog>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <functional>

#include "files/screensaversettings.h"

namespace molvane {

class WindowServices;

class frmScreenSaverSettings : public QDialog {
  Q_OBJECT

 public:
  explicit frmScreenSaverSettings(WindowServices& form);

  QGroupBox* Frame1 = nullptr;
  QLineEdit* Text1 = nullptr;
  QPushButton* Command1 = nullptr;  // "Browse..."
  QRadioButton* Option1 = nullptr;  // always use this file
  QRadioButton* Option2 = nullptr;  // continue where it last stopped
  QPushButton* Command2 = nullptr;  // OK
  QPushButton* Command3 = nullptr;  // Cancel

  // The file dialog's file name: the path last read or browsed.
  const QString& fileName() const { return fileName_; }
  QString settingsPath() const;

  void Command1_Click();
  void Command2_Click();
  void Command3_Click();

  // The end of the program; tests replace it.
  std::function<void()> endProgram;

 private:
  WindowServices& form_;
  QString fileName_;
};

}  // namespace molvane
