// The dialog that appends a class of bodies to the class library
// (files/classlibrary.h).
#pragma once

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "editors/bodydialog.h"
#include "files/classlibrary.h"

namespace molvane {

constexpr std::array<double, 4> ClassMassFactors = {1, JupiterEarthMasses, SunEarthMasses, 1 / 5.9736e27};
constexpr std::array<double, 4> ClassSizeFactors = {1000, 12742, 2784000.0 / 2, 138170};

class CreateObjectClass : public BodyDialog {
  Q_OBJECT

 public:
  CreateObjectClass(BodyEditors& owner, WindowServices& form);

  QLineEdit *Text9, *Text1, *Text10, *Text8, *Text11, *Text2, *Text3, *Text4;
  QComboBox* Combo2 = nullptr;
  QComboBox* Combo3 = nullptr;
  QCheckBox* Check1 = nullptr;
  std::array<QRadioButton*, 4> massUnits{}, sizeUnits{}, distanceUnits{};
  QPushButton *OK, *Cancel, *Apply;

  std::vector<ObjectClassRecord> library;  // as read at load
  int pickedBody = 0;                      // the reference body picked; it follows its body

  void Form_Load();
  bool Apply_Click();  // false when the file could not be written
  void OK_Click();
  void Cancel_Click();
  void Combo2_Click();
  void Combo3_Click();
  void refill();

 protected:
  void formUnload() override;

 private:
  HeldBody picked_;
  void setColourNumber(int k);
};

}  // namespace molvane
