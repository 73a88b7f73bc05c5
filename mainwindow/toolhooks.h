// What the main window asks of the windows around it: the dashboard tool
// windows, the instrument boxes, the second view, the popup menu of a body
// label. The main window only talks to this interface, whose methods are
// all pure; FlagToolWindows keeps the open flags in State so that the
// keyboard and the files work before those windows exist. The program's
// set of windows replaces it with Form1::setToolWindows().
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
  virtual ~ToolWindows() = default;

  // The five dashboard windows (Ctrl+D/F/G/T/W, Hide All, exit).
  virtual bool isOpen(DashboardWindow w) const = 0;
  virtual void open(DashboardWindow w) = 0;
  virtual void close(DashboardWindow w) = 0;
  virtual void hideAll() = 0;
  virtual void alignVertically() = 0;
  virtual void alignHorizontally() = 0;

  // Readouts that follow the view and the clock.
  virtual void updateScreenScale(double visibleWidthKm) = 0;
  virtual void setPlayButtonCaption(const QString& caption) = 0;
  virtual void setAnchorButtonCaption(const QString& caption) = 0;
  virtual void showTimeStep(const std::string& caption, const std::string& text) = 0;

  // Once per drawing: the second view (before anything else) and, while
  // plotting is on, the open boxes and the date-and-time window.
  virtual void plotSecondView() = 0;
  // The readouts as for InstrumentWindows: kept at every step, shown at
  // most once a display frame (plotReadouts: both, at once).
  virtual void stepReadouts() = 0;
  virtual void showReadouts() = 0;
  void plotReadouts() {
    stepReadouts();
    showReadouts();
  }

  virtual void showReferenceBox(int which) = 0;
  virtual void spectrumPoint(int16_t x, double value) = 0;
  virtual void refreshObjectLists() = 0;
  virtual void selectFocusInList() = 0;
  // Windows that are never open at start (reference boxes, autopilot,
  // default thrust panel).
  virtual void closeStartupWindows() = 0;
  // A right click on the name label of body k.
  virtual void labelPopup(int k, QPoint globalPos) = 0;

  // Help > About and Beta > Show Form 2, and a help page in the desktop's
  // viewer: false when nothing could show it.
  virtual void openAboutBox() = 0;
  virtual void openSecondView() = 0;
  virtual bool openPage(const QUrl& url) = 0;
};

// The main window's tool windows before those windows exist (and in tests):
// the open flags are kept in State so that the keyboard and the files
// work; nothing is shown. Test fakes derive from it.
class FlagToolWindows : public ToolWindows {
 public:
  explicit FlagToolWindows(State& s) : s_(s) {}

  bool isOpen(DashboardWindow w) const override { return *flag(w); }
  void open(DashboardWindow w) override { *flag(w) = true; }
  void close(DashboardWindow w) override { *flag(w) = false; }
  void hideAll() override {
    for (int w = 0; w < DashboardCount; ++w) close(static_cast<DashboardWindow>(w));
  }
  void alignVertically() override {}
  void alignHorizontally() override {}
  void updateScreenScale(double) override {}
  void setPlayButtonCaption(const QString&) override {}
  void setAnchorButtonCaption(const QString&) override {}
  void showTimeStep(const std::string&, const std::string&) override {}
  void plotSecondView() override {}
  void stepReadouts() override {}
  void showReadouts() override {}
  void showReferenceBox(int) override {}
  void spectrumPoint(int16_t, double) override {}
  void refreshObjectLists() override {}
  void selectFocusInList() override {}
  void closeStartupWindows() override {}
  void labelPopup(int, QPoint) override {}
  void openAboutBox() override {}
  void openSecondView() override {}
  bool openPage(const QUrl&) override { return false; }

 protected:
  bool* flag(DashboardWindow w) const { return &DashboardOpenFlag(s_, w); }
  State& s_;
};

}  // namespace molvane
