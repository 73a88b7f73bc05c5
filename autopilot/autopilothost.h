// What the autopilot needs of the main window. The main window implements
// it; tests fake it (tests/support/nullhosts.h does nothing and reports
// success, except openSituation, which opens nothing).
#pragma once

#include <string>

#include "engine/windowhost.h"

namespace molvane {

class AutopilotHost : public virtual MainWindowHost {
 public:
  virtual ~AutopilotHost() = default;

  // ---- Drawing (clearing it is MainWindowHost::clearView).
  // Forgets every body's last drawn position and parks the name labels.
  virtual void ResetPlotState() = 0;

  // ---- Zoom and focus.
  // The main window's zoom-in and zoom-out steps (scale times or over 1.5).
  virtual void zoomIn() = 0;
  virtual void zoomOut() = 0;
  // Width of the drawing area in pixels.
  virtual double screenWidthPixels() const = 0;
  // The width of the visible world in kilometres after a zoom.
  virtual void setVisibleWidthKm(double km) = 0;
  // The screen-scale window (only called while it is open) shows the
  // visible width.
  virtual void showScreenScale() = 0;
  // The focus changed to body `index` (0 = the floating point); the focus
  // window's list follows it.
  virtual void focusChanged(int index) = 0;

  // ---- Switches.
  // `llabels` has just been set: show or hide the body-name labels to match.
  virtual void setLabelsShown(bool shown) = 0;
  // `ExaggerateObjectSizeOn` or `anchor` changed: menu tick and the anchor
  // button of the graphics-options window follow.
  virtual void graphicsSwitchesChanged() = 0;
  // `RotatingFrame` changed: the menu tick follows.
  virtual void rotatingFrameChanged() = 0;
  // Toggles the paused state (timer and PausedFlag).
  virtual void PauseOnOff() = 0;

  // ---- Captions.
  // The main window's outer width and height in twips.
  virtual double mainWindowWidthTwips() const = 0;
  virtual double mainWindowHeightTwips() const = 0;
  // State::captions changed: show slots 1..4 on the labels, `front` in front.
  virtual void captionsChanged(int front) = 0;

  // ---- Files (messages are MainWindowHost::message).
  // Loads the situation at `path` (absolute). True when it was loaded: the
  // loader has then replaced the list and rebuilt the autopilot state. On
  // failure the opener has shown its own message.
  virtual bool openSituation(const std::string& path) = 0;
  // Writes the situation to `path` (absolute); the writer reports its own
  // failures.
  virtual bool saveSituation(const std::string& path) = 0;
};

}  // namespace molvane
