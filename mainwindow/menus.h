// The main window's menu bar. Kept apart from the window so that a fuller
// menu tree can replace it; the window only reaches the items below.
#pragma once

#include <QAction>
#include <QMenu>
#include <vector>

namespace molvane {

class Form1;

struct MainMenus {
  // Top-level menus, hidden together by the full-screen look.
  std::vector<QMenu*> topLevel;
  QAction* pausePlay = nullptr;
  QAction* timeForward = nullptr;
  QAction* timeBackwards = nullptr;
  QAction* trails = nullptr;
  QAction* labels = nullptr;
  QAction* rotatingFrame = nullptr;
  QAction* exaggerate = nullptr;
  QAction* fullScreen = nullptr;
};

// Builds the menus on the window's menu bar.
void BuildMainMenus(Form1& form, MainMenus& menus);
// Check marks and captions follow the program's state.
void SyncMainMenus(Form1& form, MainMenus& menus);

}  // namespace molvane
