// The distance box (RefBoxS): two bodies, their distance and their
// relative, radial and tangential speed. PairBoxWindow holds what it shares
// with the two fixed reference boxes: the window, its eight labels and the
// two body pickers that cover the top row when shown.
#pragma once

#include <QComboBox>
#include <QLabel>
#include <QTimer>
#include <array>
#include <functional>
#include <string>

#include "engine/bodies.h"
#include "engine/readouts.h"
#include "engine/state.h"
#include "ui/readoutview.h"
#include "ui/toolwindow.h"

namespace molvane {

class WindowServices;

// A drop-down list of body names that reports when its list opens.
class BodyPicker : public QComboBox {
 public:
  using QComboBox::QComboBox;
  std::function<void()> onDropDown;
  void showPopup() override;
};

// The name of body k (0..objects); empty for an index that names no body.
QString BodyNameText(const State& s, int k);
// A box's caption over bodies a and b: "A - B".
QString PairCaption(const State& s, int a, int b);

class PairBoxWindow : public ToolWindow {
  Q_OBJECT

 public:
  PairBoxWindow(WindowServices& form, const QString& designCaption, bool alignKeys);

  // lbl 1..8 (values 1..4, unit captions 5..8).
  QLabel* lbl(int k) const { return (k >= 1 && k <= 8) ? labels_[k] : nullptr; }
  BodyPicker* Combo1 = nullptr;
  BodyPicker* Combo2 = nullptr;
  QTimer Timer1;

  // Selecting an entry from code runs the picker's click handling.
  void selectEntry(int picker, int index);
  // A user's pick (also what selectEntry runs).
  void Combo1_Click();
  void Combo2_Click();
  // After a change of the body table the box goes on watching its bodies
  // wherever they now stand (-1 when gone), its pickers showing them.
  void refill();
  bool pickersShown() const { return !Combo1->isHidden(); }
  // The four value texts (each set only when it changes).
  void showTexts(const std::array<std::string, 4>& t);
  // The readouts of the latest step: shown now while the box can be seen,
  // else as soon as it shows again.
  void showReadout(const PairReadout& r);

  virtual int bodyA() const = 0;
  virtual int bodyB() const = 0;
  virtual void setBodyA(int v) = 0;
  virtual void setBodyB(int v) = 0;

 protected:
  // The load: both pickers filled, the focus body and the one after it.
  void loadPair();
  // Both pickers view the shared body names.
  void viewNames();
  // Picker 1 or 2 watches body k from now on.
  void hold(int picker, int k);
  // The pickers and the caption name the bodies watched.
  void showBodies();
  virtual void pickersChanged() {}
  virtual void placeChanged() {}
  virtual void unload() = 0;
  // Places after the decimal point of the readouts.
  virtual int readoutDecimals() const { return 3; }
  void moveEvent(QMoveEvent* e) override;
  void closeEvent(QCloseEvent* e) override;
  void setPickersShown(bool on);

  WindowServices& form_;
  State& s_;
  std::array<QLabel*, 9> labels_{};
  HeldBody heldA_, heldB_;

 private:
  ReadoutTexts<4> shownTexts_;
  PairReadout latest_;
  ReadoutWatch* readoutWatch_ = nullptr;
};

class RefBoxS : public PairBoxWindow {
  Q_OBJECT

 public:
  explicit RefBoxS(WindowServices& form);

  int16_t BodyA = 0;
  int16_t BodyB = 0;
  int16_t SlotIndex = 0;
  int16_t TickCount = 0;
  bool ListOpen = false;
  PairReadout readout;  // as the latest step left it

  // Shows the box as a new opening: place, bodies from the focus.
  void Form_Load();
  // The box of slot SlotIndex as State's record holds it (a situation file).
  void restore(const BoxSlot& rec);
  // One step's refresh of the readout (the box shows it with showReadout).
  void refStep();
  void Timer1_Timer();
  void lbl_MouseMove();

  int bodyA() const override { return BodyA; }
  int bodyB() const override { return BodyB; }
  void setBodyA(int v) override { BodyA = static_cast<int16_t>(v); }
  void setBodyB(int v) override { BodyB = static_cast<int16_t>(v); }

 protected:
  void pickersChanged() override;
  void placeChanged() override;
  void unload() override;
  bool eventFilter(QObject* o, QEvent* e) override;

 private:
  BoxSlot* record();
};

}  // namespace molvane
