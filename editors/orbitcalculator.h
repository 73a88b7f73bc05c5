// The orbit calculator: apogee and perigee of a two-body orbit about a
// chosen central body, from a state (distance, tangent and radial speed)
// or from the two distances, and the speeds there and the period.
#pragma once

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>

#include "editors/bodydialog.h"
#include "engine/apsides.h"
#include "engine/bodies.h"

namespace molvane {

class OrbitCalculator : public BodyDialog {
  Q_OBJECT

 public:
  OrbitCalculator(BodyEditors& owner, WindowServices& form);

  QComboBox* Combo1 = nullptr;
  QLineEdit *Text1, *Text2, *Text3, *Text4, *Text5, *Text6, *Text7, *Text8, *Text9, *Text11;
  QPushButton* Command1 = nullptr;  // "Compute"
  QPushButton* Command2 = nullptr;  // "Close"
  QPushButton* Command3 = nullptr;  // "Clear" (no action)

  int16_t CentralIndex = 0;
  double searchAngle = 0;
  ApsidesValues held;

  void Form_Load();
  void Combo1_Click();
  void Command1_Click();
  void ComputeFromApsides();
  void StateBox_Click();  // entering Text6, Text7 or Text8
  // The central body followed through the table (none, 0, once gone) and
  // named in the list.
  void refill();

 protected:
  void formUnload() override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void showRadius();
  bool centralValid() const;
  void holdCentral(int16_t k);
  HeldBody central_;
};

}  // namespace molvane
