// The orbit box (RefBoxOrbit1): the state vector of one body relative to a
// reference and the body's classical orbital elements. Its choice of
// reference is also the body's reference for its elements (objrefindex).
#pragma once

#include <QColor>
#include <QGroupBox>
#include <QLabel>
#include <array>
#include <string>

#include "editors/distancebox.h"
#include "engine/readouts.h"
#include "engine/state.h"
#include "ui/readoutview.h"
#include "ui/toolwindow.h"

namespace molvane {

class WindowServices;

// Rows of the value labels, in the order of OrbitBoxTexts.
enum OrbitRow {
  RowX,
  RowY,
  RowZ,
  RowXd,
  RowYd,
  RowZd,
  RowSMA,
  RowEcc,
  RowInc,
  RowPer,
  RowAsc,
  RowMa,
  RowPerDist,
  RowAppDist,
  OrbitRows
};

class RefBoxOrbit1 : public ToolWindow {
  Q_OBJECT

 public:
  explicit RefBoxOrbit1(WindowServices& form);

  int16_t ObjectIndex = 0;
  int16_t ReferenceIndex = 0;
  int16_t SlotIndex = 0;  // 0: the default box

  BodyPicker* Combo1 = nullptr;  // the object
  BodyPicker* Combo2 = nullptr;  // "Reference Object", then the bodies
  QGroupBox* Frame1 = nullptr;
  QGroupBox* Frame2 = nullptr;
  QLabel* value(int row) const { return (row >= 0 && row < OrbitRows) ? values_[row] : nullptr; }
  QLabel* caption(int row) const { return (row >= 0 && row < OrbitRows) ? captions_[row] : nullptr; }
  QColor valueColour(int row) const;

  // Opens on the most recent choice of any orbit box (rbo1a, rbo1b).
  void Form_Load();
  // Opens as State's record of its slot holds it (a situation file, or the
  // body popup's "Display Orbital Elements").
  void restore(const BoxSlot& rec);
  // A pick of the object, or of the reference.
  void Combo1_Click();
  void Combo2_Click();
  // One step's refresh of the readout (the box shows it with showReadout).
  void refStep();
  // The value texts (each set only when it changes).
  void showTexts(const std::array<std::string, OrbitRows>& t);
  // The readouts of a step: shown now while the box can be seen, else as
  // soon as it shows again.
  void showReadout(const OrbitReadout& r);
  OrbitReadout readout;  // as the latest step left it
  // A click on a value label or on the caption of its row.
  void highlight(int row);
  void ResetLabelColors();
  // A click on the window or a frame shows or hides the object picker.
  void Form_Click();
  // Refills both pickers after a change of the body table. A numbered box
  // goes on showing its bodies wherever they now stand (-1 when gone); the
  // default box shows rbo1a about its own reference.
  void refill();

 protected:
  void moveEvent(QMoveEvent* e) override;
  void closeEvent(QCloseEvent* e) override;
  void mousePressEvent(QMouseEvent* e) override;
  bool eventFilter(QObject* o, QEvent* e) override;

 private:
  void fillPickers();
  bool referenceHeadingShown() const;
  void showEntries(bool heading);
  int shownReference(int object) const;
  void choose(int object, int reference);
  void storeRecord();
  // The caption names the bodies the box shows: its own, or for the
  // default box rbo1a and rbo1b.
  void showCaption();
  WindowServices& form_;
  State& s_;
  std::array<QLabel*, OrbitRows> values_{};
  std::array<QLabel*, OrbitRows> captions_{};
  HeldBody object_, reference_;
  ReadoutTexts<OrbitRows> shownTexts_;
  OrbitReadout latest_;
  ReadoutWatch* readoutWatch_ = nullptr;
};

}  // namespace molvane
