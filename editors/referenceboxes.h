// Reference boxes 1 and 2: two fixed pair boxes whose bodies and open flags
// are program-wide (rb1a/rb1b, rb2a/rb2b) and whose readouts the main
// window's drawing writes.
#pragma once

#include "editors/distancebox.h"

namespace molvane {

class RefBox : public PairBoxWindow {
  Q_OBJECT

 public:
  RefBox(WindowServices& form, int which);

  int which() const { return which_; }
  // Opens the box: flag set, default place, pair from the focus body.
  void Form_Load();
  // Opens the box as an older situation file left it: State's place and
  // pair, both pickers on those bodies.
  void restore();
  void Timer1_Timer();
  void label_Click();

  int bodyA() const override { return which_ == 2 ? s_.rb2a : s_.rb1a; }
  int bodyB() const override { return which_ == 2 ? s_.rb2b : s_.rb1b; }
  void setBodyA(int v) override { (which_ == 2 ? s_.rb2a : s_.rb1a) = static_cast<int16_t>(v); }
  void setBodyB(int v) override { (which_ == 2 ? s_.rb2b : s_.rb1b) = static_cast<int16_t>(v); }

 protected:
  void placeChanged() override;
  void unload() override;
  int readoutDecimals() const override { return which_ == 2 ? 4 : 3; }
  bool eventFilter(QObject* o, QEvent* e) override;

 private:
  bool& loaded();
  SingleWindowPlace& place();
  int which_;
};

}  // namespace molvane
