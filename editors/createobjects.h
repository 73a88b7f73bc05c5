// The Create Objects dialog: a group of new bodies on orbits about a chosen
// body or its group's barycentre, each quantity drawn within a percentage
// band around a mean.
#pragma once

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <array>
#include <functional>
#include <random>
#include <string>
#include <string_view>

#include "editors/bodydialog.h"
#include "engine/newbodies.h"

namespace molvane {

// Mass in Earth masses and semi-major axis in kilometres per unit.
constexpr std::array<double, 4> CreateMassFactors = {1, JupiterEarthMasses, SunEarthMasses, 1 / EarthMassKg};
constexpr std::array<double, 4> CreateSmaFactors = {0.001, 1, AstronomicalUnitMetres / 1000, LightYearMetres / 1000};

class frmCreateMultipleObjects : public BodyDialog {
  Q_OBJECT

 public:
  frmCreateMultipleObjects(BodyEditors& owner, WindowServices& form);

  QLineEdit *Text1, *Text2, *Text3, *Text4, *Text5, *Text6, *Text7, *Text8, *Text9, *Text10, *Text11, *Text12, *Text13,
      *Text14, *Text15, *Text16, *Text17, *Text18;
  std::array<QRadioButton*, 4> massUnits{};  // Earth, Jupiter, Sun, kilograms
  std::array<QRadioButton*, 4> smaUnits{};   // metres, kilometres, AU, light years
  QRadioButton* optionObject = nullptr;
  QRadioButton* OptionBarycenter = nullptr;
  QRadioButton* Option2 = nullptr;  // degrees
  QRadioButton* Option1 = nullptr;  // radians
  QComboBox* Combo1 = nullptr;
  QLabel* Shape1 = nullptr;
  QPushButton* Command2 = nullptr;  // "choose color..."
  QPushButton* Command1 = nullptr;  // "Create"
  QPushButton* btnCancel = nullptr;
  int32_t swatch = 0xFF00FF;

  void Form_Load();
  // The creation; false (nothing created, the dialog stays) when the group
  // would take the table past its last body or the reference names no body.
  bool Command1_Click();
  void Command2_Click();
  void btnCancel_Click();
  // A reference picked from the list: that body, whatever its name later.
  void Combo1_Click();
  void refill();

 protected:
  void formUnload() override;

 private:
  float nextRandom();
  double draw(QLineEdit* mean, QLineEdit* spread, double factor);
  std::string placeNewBody(int N);
  void setSwatch(int32_t c);
  // The reference body the list shows; -1 when its text names none.
  int reference() const;
  std::mt19937 random_;
  HeldBody reference_;
};

}  // namespace molvane
