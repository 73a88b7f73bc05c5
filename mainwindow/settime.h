// The Set Time dialog: sets the simulation clock to a calendar date and
// time typed or picked in its fields.
#pragma once

#include <QComboBox>
#include <QDialog>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <string>

namespace molvane {

class Form1;

class frmSetTime : public QDialog {
  Q_OBJECT

 public:
  explicit frmSetTime(Form1& form);

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
  Form1& form_;
};

// Why OK cannot take the fields: the message naming the first of month,
// day, hour, minute and second that lies outside its list's range (or is
// not a whole number), empty when all lie within.
std::string SetTimeFieldFault(const std::string& month, const std::string& day, const std::string& hour,
                              const std::string& minute, const std::string& second);

// The clock value for the texts of the fields, unchecked as the calendar
// arithmetic takes them; false (clock unchanged) when it is not finite.
bool SetTimeClockValue(const std::string& year, const std::string& month, const std::string& day,
                       const std::string& hour, const std::string& minute, const std::string& second, double& out);

}  // namespace molvane
