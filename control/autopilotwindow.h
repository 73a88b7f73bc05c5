// The autopilot editor window and its caption dialog. The control windows'
// router (ControlWindows) reaches them only through this class.
#pragma once

#include <memory>

namespace molvane {

class WindowServices;
class frmAutoPilot;

class AutopilotWindows {
 public:
  explicit AutopilotWindows(WindowServices& form);
  ~AutopilotWindows();
  void show(bool reloadFirst);  // "Auto Pilot..."
  bool isShown() const;
  void close();
  // The set of bodies or their names changed: refill the open lists.
  void refreshObjectLists();
  // The list was replaced: an open editor shows the new one.
  void followList();
  // The open editor, or none (tests and the router's key routing).
  frmAutoPilot* editor() const;

 private:
  struct Windows;
  WindowServices& form_;
  std::unique_ptr<Windows> w_;
};

}  // namespace molvane
