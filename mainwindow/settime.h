// The Set Time dialog: sets the simulation clock to a calendar date and
// time typed or picked in its fields.
#pragma once

#include <QComboBox>
#include <QDialog>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace molvane {

class WindowServices;

class frmSetTime : public QDialog {
  Q_OBJECT

 public:
  explicit frmSetTime(WindowServices& form);

  QGroupBox* FrameExecutionTime = nullptr;
  QComboBox* ComboMonth = nullptr;
  QComboBox* ComboDay = nullptr;
  QLineEdit* TextYear = nullptr;
  QComboBox* ComboHour = nullptr;
  QComboBox* ComboMinute = nullptr;
  QComboBox* ComboSecond = nullptr;
  QPushButton* Command2 = nullptr;  // OK
  QPushButton* Command3 = nullptr;  // Cancel

  void Command2_Click();
  void Command3_Click();

 private:
  WindowServices& form_;
};

}  // namespace molvane
