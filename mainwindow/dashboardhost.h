// What the dashboard windows ask of the main window beside WindowServices:
// the view and time commands their buttons press, the drawing area whose
// cursor shows the floating-focus pick, and the menu bar that F8 and F9
// leave within reach. Form1 implements it; tests fake it.
#pragma once

class QMenuBar;
class QWidget;

namespace molvane {

class DashboardHost {
 public:
  virtual ~DashboardHost() = default;

  virtual void zoomIn() = 0;
  virtual void zoomOut() = 0;
  virtual void UpdateScreenScale() = 0;
  virtual void PausePlay() = 0;
  virtual void AnchorOnOff() = 0;
  virtual void TrailsOnOff() = 0;
  virtual void pPplot() = 0;
  virtual void LabelsOnOff() = 0;
  // A focus body picked: the view starts afresh.
  virtual void clearView() = 0;
  virtual void ResetPlotState() = 0;

  virtual QWidget* viewWidget() = 0;
  virtual QMenuBar* mainMenuBar() = 0;
};

}  // namespace molvane
