#include "mainwindow/menus.h"

#include <QMenuBar>

#include "mainwindow/form1.h"

namespace molvane {

void BuildMainMenus(Form1& form, MainMenus& m) {
  QMenuBar* bar = form.menuBar();

  QMenu* file = bar->addMenu("File");
  QAction* open = file->addAction("&Open");
  open->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_O));
  QObject::connect(open, &QAction::triggered, &form, [&form] { form.openFileDialog(); });
  QAction* save = file->addAction("&Save");
  // Ctrl+S is the keyboard table's own (code 19), so the item carries no
  // shortcut of its own and the key saves once.
  QObject::connect(save, &QAction::triggered, &form, [&form] { form.saveCurrent(); });
  file->addSeparator();
  QAction* exit = file->addAction("E&xit");
  exit->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Q));
  QObject::connect(exit, &QAction::triggered, &form, [&form] { form.close(); });
  m.topLevel.push_back(file);

  QMenu* view = bar->addMenu("&View");
  QObject::connect(view->addAction("Zoom In"), &QAction::triggered, &form, [&form] { form.zoomIn(); });
  QObject::connect(view->addAction("Zoom Out"), &QAction::triggered, &form, [&form] { form.zoomOut(); });
  view->addSeparator();
  m.trails = view->addAction("Trails");
  m.trails->setCheckable(true);
  QObject::connect(m.trails, &QAction::triggered, &form, [&form] { form.TrailsOnOff(); });
  m.labels = view->addAction("Labels");
  m.labels->setCheckable(true);
  QObject::connect(m.labels, &QAction::triggered, &form, [&form] { form.LabelsOnOff(); });
  m.fullScreen = view->addAction("Full Screen");
  m.fullScreen->setShortcut(QKeySequence(Qt::Key_F11));
  QObject::connect(m.fullScreen, &QAction::triggered, &form, [&form] { form.FullScreenOnOff(); });
  view->addSeparator();
  m.exaggerate = view->addAction("E&xaggerate Object Size");
  m.exaggerate->setCheckable(true);
  QObject::connect(m.exaggerate, &QAction::triggered, &form,
                   [&form] { form.ExaggerateObjectSizeOnOff(); });
  m.rotatingFrame = view->addAction("&Rotating Frame");
  m.rotatingFrame->setCheckable(true);
  QObject::connect(m.rotatingFrame, &QAction::triggered, &form, [&form] { form.RotatingFrameOnOff(); });
  m.topLevel.push_back(view);

  QMenu* time = bar->addMenu("Time");
  m.pausePlay = time->addAction("Pause");
  QObject::connect(m.pausePlay, &QAction::triggered, &form, [&form] { form.PausePlay(); });
  time->addSeparator();
  m.timeForward = time->addAction("Time &Forward");
  m.timeForward->setCheckable(true);
  QObject::connect(m.timeForward, &QAction::triggered, &form, [&form] {
    if (!form.state().TimeForward) form.ReverseTime();
    form.syncMenus();
  });
  m.timeBackwards = time->addAction("Time &Backwards");
  m.timeBackwards->setCheckable(true);
  QObject::connect(m.timeBackwards, &QAction::triggered, &form, [&form] {
    if (form.state().TimeForward) form.ReverseTime();
    form.syncMenus();
  });
  m.topLevel.push_back(time);
}

void SyncMainMenus(Form1& form, MainMenus& m) {
  const State& s = form.state();
  if (m.trails) m.trails->setChecked(s.trails);
  if (m.labels) m.labels->setChecked(s.llabels);
  if (m.exaggerate) m.exaggerate->setChecked(s.ExaggerateObjectSizeOn);
  if (m.rotatingFrame) m.rotatingFrame->setChecked(s.RotatingFrame.on);
  if (m.timeForward) m.timeForward->setChecked(s.TimeForward);
  if (m.timeBackwards) m.timeBackwards->setChecked(!s.TimeForward);
}

}  // namespace molvane
