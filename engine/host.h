// What the engine needs of the windows. The main window implements it;
// tests fake it (tests/support/nullhosts.h does nothing) or record the calls.
#pragma once

#include <cstdint>
#include <string>

#include "engine/windowhost.h"

namespace molvane {

class EngineHost : public virtual MainWindowHost {
 public:
  virtual ~EngineHost() = default;

  // Once per timer event: show the fixed reference box 1 or 2, creating it
  // first when it does not exist.
  virtual void showReferenceBox(int which) = 0;
  // Once per step: draw the bodies and refresh the open boxes.
  virtual void plot() = 0;
  // The spectrum window plots one point (sample number, value).
  virtual void spectrumPoint(int16_t x, double value) = 0;
  // Runs the pending autopilot command (the loop checked that it is due).
  virtual void runAutopilotCommand() = 0;
  // An auto-save copy is due: write it (and the data log record).
  virtual void writeAutoSave() = 0;
  // The merge holds the main window's timer while it works.
  virtual void setTimerEnabled(bool on) = 0;

  // Changes to the set of bodies.
  virtual void rebuildObjectLabels() = 0;
  virtual void refreshObjectLists() = 0;
  // A merge took one body out of the table; the labels and lists are
  // refreshed once after the whole merge. A window that picks its body by
  // name at every refresh does that pick here, against the table as this
  // deletion left it.
  virtual void bodyLeftTable() = 0;
  // The focus window's body list follows the focus after a deletion.
  virtual void selectFocusInList() = 0;
  // Bring the name label of body k to the front.
  virtual void raiseLabel(int k) = 0;

  // A step that could not be finished: the run pauses (as the "p" key
  // pauses it) and the message says why.
  virtual void pauseWithMessage(const std::string& text) = 0;

  // The time-step window shows a new step (only called while it is open).
  virtual void showTimeStep(const std::string& caption, const std::string& text) = 0;
};

}  // namespace molvane
