// The screen-saver settings: one situation file and whether the screen
// saver always starts from it or continues where it last stopped, kept in
// "molvss.ini" in the per-user data folder. Only the dormant screen-saver
// start opens this dialog; both of its buttons end the program.
#pragma once

#include <QDialog>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <functional>
#include <string>

namespace molvane {

class Form1;

struct ScreenSaverSettings {
  std::string path;       // the start-up situation file
  bool alwaysUse = true;  // false: continue from "resumess.molv"
};

// The file's text: path, "True"/"False", then "rffu 1" to "rffu 20", each
// line ended by CR LF.
std::string ScreenSaverSettingsText(const ScreenSaverSettings& s);
// Lines 1 and 2 of the file's text; false when there is no first line.
bool ParseScreenSaverSettings(const std::string& text, ScreenSaverSettings& out);

class frmScreenSaverSettings : public QDialog {
  Q_OBJECT

 public:
  explicit frmScreenSaverSettings(Form1& form);

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
  Form1& form_;
  QString fileName_;
};

}  // namespace molvane
