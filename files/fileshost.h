// What the situation files need of the windows. The main window implements
// it; the defaults do nothing (and answer No), so tests fake only what they
// look at. Every window record lives in State: a window is opened from the
// slot or place that State already holds when the call comes.
#pragma once

#include <string>

#include "engine/windowhost.h"

namespace molvane {

class FilesHost : public virtual MainWindowHost {
 public:
  virtual ~FilesHost() = default;

  // The read-only question: title "Read Only File", Yes and No, question
  // icon. True for Yes.
  virtual bool askYesNo(const std::string& /*text*/) { return false; }

  // Close the window of a slot (1..100) or of a Dashboard place (0..4).
  virtual void closeDistanceBox(int /*slot*/) {}
  virtual void closeOrbitBox(int /*slot*/) {}
  virtual void closeThrustPanel(int /*slot*/) {}
  virtual void closeDefaultThrustPanel() {}
  virtual void closeDashboard(int /*which*/) {}

  // Create and show the window of a slot from State's record of that slot
  // (place, bodies, texts), selecting its bodies in its lists.
  virtual void openDistanceBox(int /*slot*/) {}
  virtual void openOrbitBox(int /*slot*/) {}
  virtual void openThrustPanel(int /*slot*/) {}
  // Show a Dashboard window (DashboardWindow order) at State.dashboard[which].
  virtual void openDashboard(int /*which*/) {}

  // The single-instance windows of the older situation files, shown at
  // their State places: the fixed reference box 1 or 2 (rb1a/rb1b,
  // rb2a/rb2b), the default orbit box (rbo1a), the default thrust panel
  // (cpobject/cpreference and its two direction texts, the custom direction
  // taken from them and the body choice confirmed).
  virtual void openReferenceBox(int /*which*/) {}
  virtual void openDefaultOrbitBox() {}
  virtual void closeDefaultOrbitBox() {}
  virtual void openDefaultThrustPanel() {}

  // Caption label k (1..4) takes State.captions[k].
  virtual void setCaptionLabel(int /*k*/) {}
  // The main window takes State.mainWindow (place, size, window state,
  // background colour, title bar, tilt scroll bars) and the menu ticks of
  // the rotating frame, time direction and size exaggeration.
  virtual void setMainWindow() {}
  // The main window's caption (only called while the title bar is shown).
  virtual void setMainCaption(const std::string& /*text*/) {}

  // The view after a load: scale readouts, the anchor button ("A" or "F")
  // of the graphics options window, the body name labels shown, the date
  // and time window's text.
  virtual void UpdateScreenScale() {}
  virtual void setAnchorButton(const std::string& /*caption*/) {}
  virtual void showBodyLabels() {}
  virtual void showDateTime(const std::string& /*text*/) {}
};

}  // namespace molvane
