// The popup menu of a body's name label: a right-click picks the body, and
// the menu's commands act on it wherever it stands after deletions, and on
// nothing once it is gone.
#pragma once

#include <QPoint>
#include <cstdint>

#include "engine/bodies.h"

namespace molvane {

class Form1;

class LabelPopup {
 public:
  explicit LabelPopup(Form1& form) : form_(form) {}

  // A mouse button released over the name label of body k.
  void objLabel_MouseUp(int k, Qt::MouseButton button, QPoint globalPos);
  int popupObject() const { return popupObject_; }
  void mnuDisplayOrbitalElements_Click();
  void mnuFocusThisObject_Click();
  void mnuEditThisObject_Click();
  void mnuDeleteThisObject_Click();

 private:
  // The right-clicked body where it now stands; false once it is gone.
  bool popupObjectValid();

  Form1& form_;
  int16_t popupObject_ = 0;
  HeldBody popupHeld_;
};

}  // namespace molvane
