// The popup menu of a body's name label: a right-click picks the body, and
// the menu's commands act on it wherever it stands after deletions, and on
// nothing once it is gone.
#pragma once

#include <QPoint>
#include <cstdint>

#include "engine/bodies.h"

class QMenu;

namespace molvane {

class BoxSlots;
class MainView;
class WindowServices;
class WindowSets;

class LabelPopup {
 public:
  LabelPopup(WindowServices& form, WindowSets& windows, BoxSlots& boxes, MainView& view)
      : form_(form), windows_(windows), boxes_(boxes), view_(view) {}
  // The menu a right-click opens (none until the menus are built).
  void setMenu(QMenu* menu) { menu_ = menu; }

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

  WindowServices& form_;
  WindowSets& windows_;
  BoxSlots& boxes_;
  MainView& view_;
  QMenu* menu_ = nullptr;
  int16_t popupObject_ = 0;
  HeldBody popupHeld_;
};

}  // namespace molvane
