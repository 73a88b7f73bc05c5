// The keyboard command table. Codes are Windows-style: Ctrl+letter 1..26,
// Esc 27, else the typed character; letters are case-sensitive.
#include "engine/simulation.h"
#include "mainwindow/form1.h"

namespace molvane {

void Form1::KeyPresses(int code) {
  auto toggle = [this](DashboardWindow w) {
    if (tools_->isOpen(w)) {
      tools_->close(w);
    } else {
      tools_->open(w);
    }
    syncMenus();
  };
  switch (code) {
    case 4: toggle(DashDateAndTime); break;
    case 6: toggle(DashFocusObject); break;
    case 7: toggle(DashGraphicsOptions); break;
    case 18: ReverseTime(); break;
    case 19: fileCommands_.mnuSave_Click(); break;
    case 20: toggle(DashTimeRate); break;
    case 23: toggle(DashScreenScale); break;
    case 27: FullScreenOnOff(); break;
    case 43: s_.TimeStepDoubleRequest = true; break;
    case 45: s_.TimeStepHalveRequest = true; break;
    case 90: zoomIn(); break;
    case 102: AnchorOnOff(); break;
    case 103: pPplot(); break;
    case 108: LabelsOnOff(); break;
    case 112: PausePlay(); break;
    case 116: TrailsOnOff(); break;
    case 122: zoomOut(); break;
    default: break;
  }
  // Paused at the clock's edge no step comes to apply them: they take
  // effect at once, as the time-step window's buttons do.
  if ((code == 43 || code == 45) && s_.PausedFlag && !ClockCanAdvance(s_)) ApplyQueuedTimeStepChange(s_, *this);
}

}  // namespace molvane
