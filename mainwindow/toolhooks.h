// What the main window asks of the windows around it: the dashboard tool
// windows, the instrument boxes, the second view, the popup menu of a body
// label. The main window only talks to this interface; the defaults keep
// the open flags in State so that the keyboard and the files work before
// those windows exist. A fuller set of windows replaces it with
// Form1::setToolWindows().
#pragma once

#include <QPoint>
#include <QString>
#include <QUrl>
#include <cstdint>
#include <string>

#include "engine/state.h"

namespace molvane {

class ToolWindows {
 public:
  explicit ToolWindows(State& s) : s_(s) {}
  virtual ~ToolWindows() = default;

  // The five dashboard windows (Ctrl+D/F/G/T/W, Hide All, exit).
  virtual bool isOpen(DashboardWindow w) const { return *flag(w); }
  virtual void open(DashboardWindow w) { *flag(w) = true; }
  virtual void close(DashboardWindow w) { *flag(w) = false; }
  virtual void hideAll() {
    for (int w = 0; w < DashboardCount; ++w) close(static_cast<DashboardWindow>(w));
  }
  virtual void alignVertically() {}
  virtual void alignHorizontally() {}

  // Readouts that follow the view and the clock.
  virtual void updateScreenScale(double /*visibleWidthKm*/) {}
  virtual void setPlayButtonCaption(const QString& /*caption*/) {}
  virtual void setAnchorButtonCaption(const QString& /*caption*/) {}
  virtual void showTimeStep(const std::string& /*caption*/, const std::string& /*text*/) {}

  // Once per drawing: the second view (before anything else) and, while
  // plotting is on, the open boxes and the date-and-time window.
  virtual void plotSecondView() {}
  // The readouts as for InstrumentWindows: kept at every step, shown at
  // most once a display frame (plotReadouts: both, at once).
  virtual void stepReadouts() {}
  virtual void showReadouts() {}
  void plotReadouts() {
    stepReadouts();
    showReadouts();
  }

  virtual void showReferenceBox(int /*which*/) {}
  virtual void spectrumPoint(int16_t /*x*/, double /*value*/) {}
  virtual void refreshObjectLists() {}
  virtual void selectFocusInList() {}
  // Windows that are never open at start (reference boxes, autopilot,
  // default thrust panel).
  virtual void closeStartupWindows() {}
  // A right click on the name label of body k.
  virtual void labelPopup(int /*k*/, QPoint /*globalPos*/) {}

  // Help > About and Beta > Show Form 2 (nothing by default), and a help
  // page in the desktop's viewer: false when nothing could show it.
  virtual void openAboutBox() {}
  virtual void openSecondView() {}
  virtual bool openPage(const QUrl& /*url*/) { return false; }

 protected:
  bool* flag(DashboardWindow w) const { return &DashboardOpenFlag(s_, w); }
  State& s_;
};

}  // namespace molvane
