// The rotating-period dialog: the period, on/off and sense of the rotating
// frame of the main view. Every control acts at once; OK and Cancel only
// close it.
#pragma once

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <array>

#include "editors/bodydialog.h"

namespace molvane {

// The factor buttons: "+10%" .. "+.001%", then "-10%" .. "-.001%".
constexpr std::array<double, 10> RotatingPeriodFactors = {1.1, 1.01, 1.001, 1.0001, 1.00001,
                                                          0.9, 0.99, 0.999, 0.9999, 0.99999};

class frmRotatingPeriod : public BodyDialog {
  Q_OBJECT

 public:
  frmRotatingPeriod(BodyEditors& owner, WindowServices& form);

  QLineEdit* TextRotatePeriod = nullptr;
  QComboBox* ComboRotatingObject = nullptr;
  QRadioButton* Option3 = nullptr;  // "Rotating Frame"
  QRadioButton* Option4 = nullptr;  // "Stationary"
  QRadioButton* Option1 = nullptr;  // "Clockwise"
  QRadioButton* Option2 = nullptr;  // "Counterclockwise"
  std::array<QPushButton*, 10> factorButtons{};
  QPushButton* Command9 = nullptr;   // OK
  QPushButton* Command10 = nullptr;  // Cancel

  void Form_Load();
  void TextRotatePeriod_Change();
  void Factor_Click(int k);  // 0..9 in the order of the factor table
  void ComboRotatingObject_Click();
  void Option3_Click();
  void Option4_Click();
  void Command9_Click();
  void Command10_Click();
  void refill();

 protected:
  void formUnload() override;

 private:
  void showPeriod(double v);
  void takePeriodFromBox();
  void setOn(bool on);
};

}  // namespace molvane
