// The do-nothing versions of the host interfaces, for tests (and the
// benchmarks) that look at only some calls: derive and override those.
// Every answer is the quiet one: no question is answered Yes, a save
// succeeds, an open opens nothing, the main window is 12000 x 9000 twips
// with an 800-pixel view.
#pragma once

#include <cstdint>
#include <string>

#include "autopilot/autopilothost.h"
#include "engine/host.h"
#include "files/fileshost.h"

namespace molvane {

// What every host shares, answered once for a class that is several.
class NullMainWindowHost : public virtual MainWindowHost {
 public:
  void message(const std::string&) override {}
  void clearView() override {}
  double captionReferenceWidth() const override { return 12000; }
};

class NullEngineHost : public EngineHost, public virtual NullMainWindowHost {
 public:
  void showReferenceBox(int) override {}
  void plot() override {}
  void spectrumPoint(int16_t, double) override {}
  void runAutopilotCommand() override {}
  void writeAutoSave() override {}
  void setTimerEnabled(bool) override {}
  void rebuildObjectLabels() override {}
  void refreshObjectLists() override {}
  void bodyLeftTable() override {}
  void selectFocusInList() override {}
  void raiseLabel(int) override {}
  void pauseWithMessage(const std::string&) override {}
  void showTimeStep(const std::string&, const std::string&) override {}
};

class NullFilesHost : public FilesHost, public virtual NullMainWindowHost {
 public:
  bool askYesNo(const std::string&) override { return false; }
  void closeDistanceBox(int) override {}
  void closeOrbitBox(int) override {}
  void closeThrustPanel(int) override {}
  void closeDefaultThrustPanel() override {}
  void closeDashboard(int) override {}
  void openDistanceBox(int) override {}
  void openOrbitBox(int) override {}
  void openThrustPanel(int) override {}
  void openDashboard(int) override {}
  void openReferenceBox(int) override {}
  void openDefaultOrbitBox() override {}
  void closeDefaultOrbitBox() override {}
  void openDefaultThrustPanel() override {}
  void setCaptionLabel(int) override {}
  void setMainWindow() override {}
  void setMainCaption(const std::string&) override {}
  void UpdateScreenScale() override {}
  void setAnchorButton(const std::string&) override {}
  void showBodyLabels() override {}
  void showDateTime(const std::string&) override {}
};

class NullAutopilotHost : public AutopilotHost, public virtual NullMainWindowHost {
 public:
  void ResetPlotState() override {}
  void zoomIn() override {}
  void zoomOut() override {}
  double screenWidthPixels() const override { return 800; }
  void setVisibleWidthKm(double) override {}
  void showScreenScale() override {}
  void focusChanged(int) override {}
  void setLabelsShown(bool) override {}
  void graphicsSwitchesChanged() override {}
  void rotatingFrameChanged() override {}
  void PauseOnOff() override {}
  double mainWindowWidthTwips() const override { return 12000; }
  double mainWindowHeightTwips() const override { return 9000; }
  void captionsChanged(int) override {}
  bool openSituation(const std::string&) override { return false; }
  bool saveSituation(const std::string&) override { return true; }
};

}  // namespace molvane
