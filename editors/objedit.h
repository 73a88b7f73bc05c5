// The Edit Object dialog: one body's name, reference, mass, size, colour,
// position and velocity in units of the user's choice, its orbital
// elements, deletion, and the splitting of a pasted state vector. While it
// is open the simulation is held.
#pragma once

#include <QButtonGroup>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <array>
#include <string_view>
#include <vector>

#include "editors/bodydialog.h"
#include "engine/bodies.h"

namespace molvane {

// Unit factors of the dialog (Earth masses, metres, metres per second).
// Its astronomical unit is a round 1.5e11 m.
constexpr std::array<double, 4> ObjEditMassFactors = {1, JupiterEarthMasses, SunEarthMasses, 1 / EarthMassKg};
constexpr std::array<double, 4> ObjEditSizeFactors = {1000, 12742000, 2784000000.0 / 2, 138170000};
constexpr std::array<double, 4> ObjEditLocationFactors = {1, 1000, 150000000000.0, 9385113600000000.0};
constexpr std::array<double, 2> ObjEditSpeedFactors = {1, 1000};

class ObjEdit : public BodyDialog {
  Q_OBJECT

 public:
  ObjEdit(BodyEditors& owner, WindowServices& form);

  QComboBox* Combo1 = nullptr;       // the body's name
  QComboBox* Combo2 = nullptr;       // the reference's name
  QLineEdit* Text1 = nullptr;        // mass
  QLineEdit* Text8 = nullptr;        // diameter
  std::array<QLineEdit*, 8> Text{};  // Text[2..7]: position and velocity
  QLabel* Shape1 = nullptr;
  QPushButton* Command1 = nullptr;  // "choose color..."
  QPushButton* Command2 = nullptr;  // "Delete Object"
  QPushButton* OK = nullptr;
  QPushButton* Cancel = nullptr;
  QPushButton* Apply = nullptr;
  QLabel *lblSMA = nullptr, *lblEc = nullptr, *lblAi = nullptr, *lblApg = nullptr, *lblAnl = nullptr, *lblAm = nullptr;
  // Options in the order of the factor tables above.
  std::array<QRadioButton*, 4> massUnits{}, sizeUnits{}, locationUnits{};
  std::array<QRadioButton*, 2> speedUnits{};

  int16_t EditedIndex = 0;
  int16_t ReferenceIndex = 0;
  int32_t swatch = 0;

  void Form_Load();
  void Combo1_Click();
  void Combo2_Click();
  bool Apply_Click();  // false when a value was refused
  void OK_Click();
  void Cancel_Click();
  void Command1_Click();
  void Command2_Click();
  void Text2_Change();
  void ShowMass();
  void ShowSize();
  void ShowLocation();
  void ShowVelocity();
  void ShowElements();
  // The body lists refilled after a change of the body table; the dialog
  // goes on with its bodies wherever they now stand.
  void refill();

 protected:
  void formUnload() override;

 private:
  bool hasReference(int i) const;
  bool editable() const;
  void setSwatch(int32_t c);
  void releaseHold();
  double massFactor() const;
  double sizeFactor() const;
  double locationFactor() const;
  double speedFactor() const;
  bool followBodies();
  void showReferenceName();
  void carryRename(const std::string& oldName);
  void showNoBody();
  // The edited body's fields, its entry and its reference's.
  void showEdited();
  void showText(QComboBox* c, const QString& text, int k);
  bool splitting_ = false;
  // The edited body has gone: the boxes stay empty until a body is picked.
  bool noBody_ = false;
  HeldBody edited_, reference_;
};

}  // namespace molvane
