// The Preferences dialog (background colour, the two drawing sizes of the
// bodies, the archive-on-save answer) and the Auto Save dialog (the timed
// copies of the running situation).
#pragma once

#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <functional>

#include "engine/state.h"

namespace molvane {

class LabelBackColour;
class WindowServices;

class frmPreferences : public QDialog {
  Q_OBJECT

 public:
  frmPreferences(WindowServices& form, LabelBackColour& labels);

  QFrame* Shape1 = nullptr;         // the colour OK will apply
  QPushButton* Command3 = nullptr;  // "Change Color"
  QComboBox* Combo1 = nullptr;      // minimum object size
  QComboBox* Combo2 = nullptr;      // exaggerated object size
  QRadioButton* Option1 = nullptr;  // "Yes"
  QRadioButton* Option2 = nullptr;  // "No"
  QPushButton* Command1 = nullptr;  // OK
  QPushButton* Command2 = nullptr;  // Cancel

  int32_t swatch() const { return swatch_; }
  void setSwatch(int32_t colour);

  void Option1_Click();
  void Option2_Click();
  void Command3_Click();
  void Command1_Click();
  void Command2_Click();

 protected:
  void closeEvent(QCloseEvent* e) override;

 private:
  WindowServices& form_;
  LabelBackColour& labels_;
  int32_t swatch_ = 0;
};

class frmAutoSave : public QDialog {
  Q_OBJECT

 public:
  explicit frmAutoSave(WindowServices& form);

  QCheckBox* Check1 = nullptr;
  QLineEdit* Text1 = nullptr;  // interval
  QRadioButton* optSeconds = nullptr;
  QRadioButton* optMinutes = nullptr;
  QRadioButton* optHours = nullptr;
  QRadioButton* optDays = nullptr;
  QRadioButton* optYears = nullptr;
  QLineEdit* Text2 = nullptr;  // maximum saves
  QCheckBox* ckReport = nullptr;
  QPushButton* Command1 = nullptr;  // OK
  QPushButton* Command2 = nullptr;  // Cancel

  void Command1_Click();
  void Command2_Click();

 private:
  WindowServices& form_;
};

}  // namespace molvane
