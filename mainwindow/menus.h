// The main window's menu bar and the popup menu of a body's name label.
// Every item carries its handler's name as its object name ("mnuNew",
// "OpenMnu", ...), so tests and other windows can find it. Hidden items are
// also disabled: they never show and their shortcuts do nothing.
#pragma once

#include <QAction>
#include <QMenu>
#include <array>
#include <vector>

#include "engine/state.h"

namespace molvane {

class Form1;

struct MainMenus {
  // The seven top-level entries that the full-screen look hides.
  std::vector<QAction*> topLevel;

  // File.
  QMenu* file = nullptr;
  QAction* newItem = nullptr;
  QAction* openBeta = nullptr;
  QAction* open = nullptr;
  QAction* saveBeta = nullptr;
  QAction* save = nullptr;
  QAction* saveAndArchive = nullptr;
  QAction* saveAsBeta = nullptr;
  QAction* saveAs = nullptr;
  QAction* autoSave = nullptr;
  QAction* fullRestore = nullptr;
  QAction* restoreWithCommands = nullptr;
  QAction* exit = nullptr;
  QAction* recentSep = nullptr;
  std::array<QAction*, 5> recent{};  // 1..4

  // Objects.
  QMenu* objects = nullptr;
  QAction* editObject = nullptr;
  QAction* createObjects = nullptr;

  // View.
  QMenu* view = nullptr;
  QAction* zoomIn = nullptr;
  QAction* zoomOut = nullptr;
  QAction* rb1 = nullptr;
  QAction* rb2 = nullptr;
  QAction* addDistanceBox = nullptr;
  QAction* orbitRef1 = nullptr;
  QAction* addOrbitBox = nullptr;
  QAction* orbitCalculator = nullptr;
  QAction* addThrustBox = nullptr;
  QAction* showControlPanel = nullptr;
  QAction* spectrum = nullptr;
  QMenu* dashboard = nullptr;
  std::array<QAction*, DashboardCount> dashboardItems{};  // DashboardWindow order
  QMenu* showAll = nullptr;
  QAction* alignVertically = nullptr;
  QAction* alignHorizontal = nullptr;
  QAction* hideAll = nullptr;
  QAction* fullScreen = nullptr;
  QAction* betaBox = nullptr;
  QAction* exaggerate = nullptr;
  QAction* rotatingFrame = nullptr;
  QAction* rotatingFrameAdjustment = nullptr;
  QAction* addCaption = nullptr;

  // Top-level items and Time.
  QAction* preferences = nullptr;
  QMenu* time = nullptr;
  QAction* pausePlay = nullptr;
  QAction* setTime = nullptr;
  QAction* timeForward = nullptr;
  QAction* timeBackwards = nullptr;
  QAction* autoPilot = nullptr;

  // Help.
  QMenu* help = nullptr;
  QAction* molvHelp = nullptr;
  QAction* onlineHelp = nullptr;
  QAction* about = nullptr;

  // Beta (hidden) and the body label popup.
  QMenu* beta = nullptr;
  QAction* showForm2 = nullptr;
  QMenu* popup = nullptr;
  QAction* displayOrbitalElements = nullptr;
  QAction* focusThisObject = nullptr;
  QAction* editThisObject = nullptr;
  QAction* deleteThisObject = nullptr;
};

// Builds the menus on the window's menu bar.
void BuildMainMenus(Form1& form, MainMenus& menus);
// Check marks follow the program's state (the dashboard items their
// windows' open flags).
void SyncMainMenus(Form1& form, MainMenus& menus);
// Captions that change when the View menu opens.
void UpdateViewMenuCaptions(Form1& form, MainMenus& menus);

}  // namespace molvane
