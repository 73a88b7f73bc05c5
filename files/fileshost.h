// What the situation files need of the windows. The main window implements
// it; tests fake it (tests/support/nullhosts.h does nothing and answers No).
// Every window record lives in State: a window is opened from the slot or
// place that State already holds when the call comes.
#pragma once

#include <string>

#include "engine/windowhost.h"

namespace molvane {

// What writing a situation asks: its messages and the read-only question.
class SaveHost : public virtual MessageHost {
 public:
  // The read-only question: title "Read Only File", Yes and No, question
  // icon. True for Yes.
  virtual bool askYesNo(const std::string& text) = 0;
};

class FilesHost : public virtual MainWindowHost, public virtual SaveHost {
 public:
  // Close the window of a slot (1..100) or of a Dashboard place (0..4).
  virtual void closeDistanceBox(int slot) = 0;
  virtual void closeOrbitBox(int slot) = 0;
  virtual void closeThrustPanel(int slot) = 0;
  virtual void closeDefaultThrustPanel() = 0;
  virtual void closeDashboard(int which) = 0;

  // Create and show the window of a slot from State's record of that slot
  // (place, bodies, texts), selecting its bodies in its lists.
  virtual void openDistanceBox(int slot) = 0;
  virtual void openOrbitBox(int slot) = 0;
  virtual void openThrustPanel(int slot) = 0;
  // Show a Dashboard window (DashboardWindow order) at State.dashboard[which].
  virtual void openDashboard(int which) = 0;

  // The single-instance windows of the older situation files, shown at
  // their State places: the fixed reference box 1 or 2 (rb1a/rb1b,
  // rb2a/rb2b), the default orbit box (rbo1a), the default thrust panel
  // (cpobject/cpreference and its two direction texts, the custom direction
  // taken from them and the body choice confirmed).
  virtual void openReferenceBox(int which) = 0;
  virtual void openDefaultOrbitBox() = 0;
  virtual void closeDefaultOrbitBox() = 0;
  virtual void openDefaultThrustPanel() = 0;

  // Caption label k (1..4) takes State.captions[k].
  virtual void setCaptionLabel(int k) = 0;
  // The main window takes State.mainWindow (place, size, window state,
  // background colour, title bar, tilt scroll bars) and the menu ticks of
  // the rotating frame, time direction and size exaggeration.
  virtual void setMainWindow() = 0;
  // The main window's caption (only called while the title bar is shown).
  virtual void setMainCaption(const std::string& text) = 0;

  // The view after a load: scale readouts, the anchor button ("A" or "F")
  // of the graphics options window, the body name labels shown, the date
  // and time window's text.
  virtual void UpdateScreenScale() = 0;
  virtual void setAnchorButton(const std::string& caption) = 0;
  virtual void showBodyLabels() = 0;
  virtual void showDateTime(const std::string& text) = 0;
};

}  // namespace molvane
