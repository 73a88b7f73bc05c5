// The thrust panel: single velocity changes (boosts) of 1 to 1000 m/s on one
// body, prograde, retrograde, toward or away from a reference body, or along
// a custom azimuth/altitude direction. Panels live in slots 1..100 of
// State::thrustPanels; slot 0 is the default panel, whose record is
// State::cpobject/cpreference/controlCenterText1/2/controlCenterPlace.
#pragma once

#include <QComboBox>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "engine/bodies.h"
#include "engine/state.h"
#include "engine/thrust.h"
#include "ui/toolwindow.h"

namespace molvane {

class WindowServices;

class FormControlCenter : public ToolWindow {
  Q_OBJECT

 public:
  // Creates the panel of `slotIndex` (0: the default panel) and runs its
  // load: fuel total to 0, lists filled, placed at Left 0, Top 3490 twips.
  FormControlCenter(WindowServices& form, State& s, int slotIndex);
  ~FormControlCenter() override;

  int SlotIndex() const { return slotIndex_; }
  int16_t cpobject() const { return cpobject_; }
  int16_t cpreference() const { return cpreference_; }

  // Takes the slot's record (place, texts, bodies) from State: the lists
  // show the bodies, and a chosen object shows the boost group.
  void applyRecord();

  // Public operations of the panel.
  void Command1_Click();                     // OK of the selection panel
  void Command2_Click();                     // the object-name button: choose again
  void Command23_Click();                    // "Edit..." of the custom direction
  void Command24_Click(bool quiet = false);  // OK of the direction editor
  void Combo1_Click();                       // an object was picked
  void boost(BoostRow row, int16_t amount);
  // The set of bodies changed: both lists refilled. The panel goes on with
  // its object and reference wherever they now stand and shows their names;
  // once either is gone it pushes nothing and asks for a new choice. The
  // default panel then selects the bodies the older files named.
  void refreshObjectLists();
  // A merge took a body out of the table and refreshes the lists once it
  // is done: the panel follows its bodies, and picks the named ones, as a
  // refresh now would.
  void bodyLeftTable();

  // Controls, named as the tests and the loaders know them.
  QFrame* Frame1 = nullptr;  // boost group: object button, prograde, retrograde
  QFrame* Frame2 = nullptr;  // selection panel
  QFrame* Frame8 = nullptr;  // direction editor
  QComboBox* Combo1 = nullptr;
  QComboBox* Combo2 = nullptr;
  QPushButton* Command1 = nullptr;
  QPushButton* Command2 = nullptr;
  QPushButton* Command23 = nullptr;
  QPushButton* Command24 = nullptr;
  QLineEdit* Text1 = nullptr;  // azimuth, degrees
  QLineEdit* Text2 = nullptr;  // altitude, degrees
  QLabel* Label7 = nullptr;    // fuel used
  // The twenty boost buttons by row (BoostRow order) and amount 1..1000.
  std::array<std::array<QPushButton*, 4>, 5> boostButtons{};

 protected:
  void closeEvent(QCloseEvent* e) override;
  void moveEvent(QMoveEvent* e) override;
  bool eventFilter(QObject* watched, QEvent* e) override;

 private:
  void storeTexts();
  void storeBodies();
  void storePlace();
  void holdBodies();
  void followBodies(bool refill);
  // Body k (0: the body held before) with the reference it holds.
  void takeObject(int k);
  int16_t& recordObject();
  int16_t& recordReference();

  WindowServices& form_;
  State& s_;
  int slotIndex_;
  int16_t cpobject_ = 0;
  int16_t cpreference_ = 0;
  HeldBody object_, reference_;
  float azimuth_ = 0;
  float altitude_ = 0;
  bool loading_ = true;
};

}  // namespace molvane
