// What the body editors, instruments, thrust panels, autopilot and caption
// windows, and the main window's own dialogs and dashboard, may ask of the
// main window, and nothing more. Form1 implements it; the tests of those
// windows fake it.
#pragma once

#include <QPoint>
#include <QString>
#include <functional>
#include <string>

#include "engine/state.h"

class QLabel;
class QWidget;

namespace molvane {

class AutopilotHost;
class BodyNames;
class Dialogs;
class EngineHost;

class WindowServices {
 public:
  virtual ~WindowServices() = default;

  virtual State& state() = 0;
  // The parent of the windows, and whose icon they show.
  virtual QWidget& mainWidget() = 0;
  // What the engine and the autopilot core call back.
  virtual EngineHost& engineHost() = 0;
  virtual AutopilotHost& autopilotHost() = 0;
  virtual Dialogs& dialogs() = 0;
  // A message box over the main window (file-name bytes).
  virtual void message(const std::string& text) = 0;
  // Folder of what the program writes between runs.
  virtual QString dataFolder() const = 0;

  // The running loop: dialogs hold it while they are open.
  virtual bool timerEnabled() const = 0;
  virtual void setTimerEnabled(bool on) = 0;
  // The set of bodies or their names changed.
  virtual void refreshObjectLists() = 0;
  // The names every body list views, brought up to the body table first.
  virtual BodyNames& bodyNames() = 0;
  virtual void rebuildObjectLabels() = 0;
  // Check marks and captions of the menu items follow State.
  virtual void syncMenus() = 0;

  // The main window's outer size.
  virtual double mainWindowWidthTwips() const = 0;
  virtual double mainWindowHeightTwips() const = 0;
  // The view's scale.
  virtual double screenWidthPixels() const = 0;
  virtual double visibleWidthKm() const = 0;
  virtual void setVisibleWidthKm(double km) = 0;

  // Caption labels 1..4 (nullptr otherwise), the width their relative
  // sizes refer to, and the labels following State::captions again.
  virtual QLabel* captionLabel(int k) = 0;
  virtual double captionReferenceWidth() const = 0;
  virtual void captionsChanged(int front) = 0;
  // A double-click on caption label k opens this editor; empty: none.
  virtual void setCaptionEditor(std::function<void(int)> open) = 0;

  // Where a new box or panel opens, its frame's top left in pixels, given
  // where the design puts it (`designed`).
  virtual QPoint newWindowPlace(QPoint designed) = 0;

  // F8/F9 released in a window: the dashboard windows line up.
  virtual void AlignKeyReleased(int code) = 0;
};

}  // namespace molvane
