#include "mainwindow/menus.h"

#include <QMenuBar>
#include <algorithm>

#include "engine/bodies.h"
#include "mainwindow/addboxes.h"
#include "mainwindow/form1.h"
#include "mainwindow/menudialogs.h"

namespace molvane {

namespace {

// One item: its handler's name, caption and shortcut. A hidden item is
// disabled as well, so its shortcut cannot act.
template <typename F>
QAction* Item(QMenu* menu, const char* name, const QString& caption, F&& handler, const QKeySequence& shortcut = {},
              bool hidden = false) {
  QAction* a = menu->addAction(caption);
  a->setObjectName(name);
  if (!shortcut.isEmpty()) a->setShortcut(shortcut);
  if (hidden) {
    a->setVisible(false);
    a->setEnabled(false);
  }
  QObject::connect(a, &QAction::triggered, menu, std::forward<F>(handler));
  return a;
}

QAction* Separator(QMenu* menu, const char* name) {
  QAction* a = menu->addSeparator();
  a->setObjectName(name);
  return a;
}

QMenu* SubMenu(QWidget* parent, QMenu* (*add)(QWidget*, const QString&), const char* name, const QString& caption) {
  QMenu* m = add(parent, caption);
  m->setObjectName(name);
  m->menuAction()->setObjectName(name);
  return m;
}

QMenu* AddToBar(QWidget* bar, const QString& caption) { return static_cast<QMenuBar*>(bar)->addMenu(caption); }
QMenu* AddToMenu(QWidget* menu, const QString& caption) { return static_cast<QMenu*>(menu)->addMenu(caption); }

// A top-level item that is a command rather than a menu.
template <typename F>
QAction* BarItem(QMenuBar* bar, const char* name, const QString& caption, F&& handler) {
  QAction* a = bar->addAction(caption);
  a->setObjectName(name);
  QObject::connect(a, &QAction::triggered, bar, std::forward<F>(handler));
  return a;
}

void Hide(QMenu* m) {
  m->menuAction()->setVisible(false);
  m->menuAction()->setEnabled(false);
}

// A handler that shows one of the instrument windows.
auto ShowWindow(Form1* f, InstrumentWindow w, bool reload) {
  return [f, w, reload] { f->instruments().show(w, reload); };
}

void BuildFileMenu(Form1* f, QMenuBar* bar, MainMenus& m) {
  FileCommands* c = &f->fileCommands();
  m.file = SubMenu(bar, AddToBar, "mnuFile", "File");
  m.newItem = Item(
      m.file, "mnuNew", "&New", [c] { c->mnuNew_Click(); }, QKeySequence(Qt::CTRL | Qt::Key_N));
  m.openBeta = Item(
      m.file, "mnuOpenBeta", "Open Beta", [c] { c->mnuOpenBeta_Click(); }, {}, true);
  m.open = Item(
      m.file, "OpenMnu", "&Open", [c] { c->OpenMnu_Click(); }, QKeySequence(Qt::CTRL | Qt::Key_O));
  m.saveBeta = Item(
      m.file, "mnuSaveBeta", "Save Beta", [] {}, {}, true);
  // In the main window the item's shortcut saves; in other windows Ctrl+S
  // reaches the keyboard table (code 19), which saves the same way.
  m.save = Item(
      m.file, "mnuSave", "&Save", [c] { c->mnuSave_Click(); }, QKeySequence(Qt::CTRL | Qt::Key_S));
  m.saveAndArchive = Item(
      m.file, "mnuSaveAndArchive", "Save and Archive", [c] { c->mnuSaveAndArchive_Click(); }, {}, true);
  m.saveAsBeta = Item(
      m.file, "mnuSaveAsBeta", "Save As Beta", [] {}, {}, true);
  m.saveAs = Item(m.file, "SaveasMnu", "Save &As...", [c] { c->SaveasMnu_Click(); });
  m.autoSave = Item(m.file, "mnuAutoSave", "Auto Save...", [f] { ShowAutoSaveDialog(*f); });
  m.fullRestore = Item(
      m.file, "mnuFullResume", "&Full Restore", [c] { c->mnuFullResume_Click(); }, QKeySequence(Qt::Key_F6), true);
  m.restoreWithCommands = Item(
      m.file, "mnuResumeWithCommands", "&Restore with current commands", [c] { c->mnuResumeWithCommands_Click(); },
      QKeySequence(Qt::Key_F7), true);
  Separator(m.file, "seperator3");
  m.exit = Item(
      m.file, "ExitMnu", "E&xit", [c] { c->ExitMnu_Click(); }, QKeySequence(Qt::CTRL | Qt::Key_Q));
  m.recentSep = Separator(m.file, "recentFilesSep");
  m.recentSep->setVisible(false);
  for (int i = 1; i <= 4; ++i) {
    m.recent[i] = Item(m.file, "mnuRecent", "", [c, i] { c->mnuRecent_Click(i); });
    m.recent[i]->setVisible(false);
  }
}

void BuildObjectsMenu(Form1* f, QMenuBar* bar, MainMenus& m) {
  m.objects = SubMenu(bar, AddToBar, "Objectsmnu", "&Objects");
  m.editObject = Item(m.objects, "EditObjMnu", "&Edit Object...", [f] { f->EditObjMnu_Click(); });
  m.createObjects =
      Item(m.objects, "CreateObjClassmnu", "Create Objects...", ShowWindow(f, InstrumentWindow::CreateObjects, false));
}

// View's "Dash Board Elements": one checked item per dashboard window, the
// two alignments and Hide All.
void BuildDashboardMenu(Form1* f, MainMenus& m) {
  m.dashboard = SubMenu(m.view, AddToMenu, "mnuDashboard", "Dash Board Elements");
  QObject::connect(m.dashboard, &QMenu::aboutToShow, m.dashboard, [f, &m] { SyncMainMenus(*f, m); });
  const std::array<std::pair<const char*, const char*>, DashboardCount> dash{{
      {"mnuShowScreenScale", "Screen Scale..."},
      {"mnuShowTimeRate", "Time Rate..."},
      {"mnuFocusObject", "Focus Object..."},
      {"mnuDateAndTime", "Date and Time..."},
      {"mnuGraphicsOptions", "Graphics Options..."},
  }};
  for (int w = 0; w < DashboardCount; ++w) {
    const auto which = static_cast<DashboardWindow>(w);
    m.dashboardItems[w] = Item(m.dashboard, dash[w].first, dash[w].second, [f, which] { f->toggleDashboard(which); });
    m.dashboardItems[w]->setCheckable(true);
  }
  m.showAll = SubMenu(m.dashboard, AddToMenu, "mnuShowAll", "Show All");
  m.alignVertically = Item(
      m.showAll, "mnuAlignVertically", "Align Vertically...", [f] { f->tools().alignVertically(); },
      QKeySequence(Qt::Key_F8));
  m.alignHorizontal = Item(
      m.showAll, "mnuAlignHorizontal", "Align Horizontal...", [f] { f->tools().alignHorizontally(); },
      QKeySequence(Qt::Key_F9));
  m.hideAll = Item(m.dashboard, "mnuHideAll", "Hide All", [f] {
    f->tools().hideAll();
    f->syncMenus();
  });
}

// View's zoom steps, reference and instrument boxes.
void BuildViewBoxItems(Form1* f, MainMenus& m) {
  BoxSlots* boxes = &f->boxSlots();
  m.zoomIn = Item(m.view, "mnuZoomIn", "Zoom In", [f] { f->zoomIn(); });
  m.zoomOut = Item(m.view, "mnuZoomOut", "Zoom Out", [f] { f->zoomOut(); });
  Separator(m.view, "mnuLine");
  m.rb1 = Item(
      m.view, "rb1", "Show Reference Box &1...", [f] { f->rb_Click(1); }, {}, true);
  m.rb2 = Item(
      m.view, "rb2", "Show Reference Box &2...", [f] { f->rb_Click(2); }, {}, true);
  m.addDistanceBox =
      Item(m.view, "mnuRefBoxS", "Add Distance And Velocity Box", [boxes] { boxes->addBox(BoxKind::Distance); });
  m.orbitRef1 = Item(m.view, "mnuOrbitRef1", "Show Orbit Reference Box 1...",
                     ShowWindow(f, InstrumentWindow::OrbitRefBox1, false), {}, true);
  m.addOrbitBox = Item(m.view, "mnuAddOEB", "Add Orbital Elements Box", [boxes] { boxes->addBox(BoxKind::Orbit); });
  m.orbitCalculator = Item(m.view, "OrbitCalculatorMnu", "Orbit &Calculator",
                           ShowWindow(f, InstrumentWindow::OrbitCalculator, true), {}, true);
  m.addThrustBox = Item(m.view, "mnuAddThrustBox", "Add Thrust Box", [boxes] { boxes->addBox(BoxKind::Thrust); });
  m.showControlPanel = Item(m.view, "mnuShowControlPanel", "Show Control &Panel...",
                            ShowWindow(f, InstrumentWindow::ControlPanel, true), {}, true);
  m.spectrum = Item(m.view, "mnuSpectrum", "Show Spectrum", ShowWindow(f, InstrumentWindow::Spectrum, false), {}, true);
}

void BuildViewMenu(Form1* f, QMenuBar* bar, MainMenus& m) {
  m.view = SubMenu(bar, AddToBar, "ViewMnu", "&View");
  QObject::connect(m.view, &QMenu::aboutToShow, m.view, [f, &m] {
    UpdateViewMenuCaptions(*f, m);
    SyncMainMenus(*f, m);
  });
  BuildViewBoxItems(f, m);
  BuildDashboardMenu(f, m);
  m.fullScreen = Item(
      m.view, "mnuFullScreen", "Full Screen", [f] { f->FullScreenOnOff(); }, QKeySequence(Qt::Key_F11));
  m.betaBox = Item(m.view, "mnuBetaBox", "betabox", ShowWindow(f, InstrumentWindow::BetaBox, false), {}, true);
  Separator(m.view, "seperator");
  m.exaggerate =
      Item(m.view, "mnuExaggerateObjectSize", "E&xaggerate Object Size", [f] { f->ExaggerateObjectSizeOnOff(); });
  m.exaggerate->setCheckable(true);
  m.rotatingFrame = Item(m.view, "mnuRotatingFrame", "&Rotating Frame", [f] { f->RotatingFrameOnOff(); });
  m.rotatingFrame->setCheckable(true);
  m.rotatingFrameAdjustment = Item(m.view, "mnuRotatingFrameAdjustment", "Rotating Frame &Adjustment...",
                                   ShowWindow(f, InstrumentWindow::RotatingPeriod, true));
  Separator(m.view, "sep30");
  m.addCaption = Item(m.view, "mnuAddCaption", "Add Caption...", ShowWindow(f, InstrumentWindow::AddCaption, false));
}

void BuildTimeMenu(Form1* f, QMenuBar* bar, MainMenus& m) {
  m.time = SubMenu(bar, AddToBar, "mnuTime", "Time");
  m.pausePlay = Item(m.time, "mnuPausePlay", "Pause", [f] { f->PausePlay(); });
  Separator(m.time, "sep34");
  m.setTime = Item(m.time, "mnuSetTime", "Set Time...", [f] { ShowSetTimeDialog(*f); });
  Separator(m.time, "sepTime1");
  m.timeForward = Item(m.time, "mnuTimeForward", "Time &Forward", [f] {
    if (!f->state().TimeForward) f->ReverseTime();
    f->syncMenus();
  });
  m.timeForward->setCheckable(true);
  m.timeForward->setChecked(true);
  m.timeBackwards = Item(m.time, "mnutimebackwards", "Time &Backwards", [f] {
    if (f->state().TimeForward) f->ReverseTime();
    f->syncMenus();
  });
  m.timeBackwards->setCheckable(true);
}

void BuildHelpMenu(Form1* f, QMenuBar* bar, MainMenus& m) {
  m.help = SubMenu(bar, AddToBar, "Helpmnu", "&Help");
  m.molvHelp = Item(m.help, "mnuMolvHelp", "Molvane Help...", [f] { ShowHelp(*f, f->tools()); });
  m.onlineHelp = Item(m.help, "mnuOnlineHelp", "Molvane Online Help...", [f] { ShowTutorials(*f, f->tools()); });
  Separator(m.help, "dim5");
  m.about = Item(m.help, "mnuAbout", "About...", [f] { ShowAboutBox(f->tools()); });
}

// Hidden: Beta, and the body label's popup menu under its heading.
void BuildHiddenMenus(Form1* f, QMenuBar* bar, MainMenus& m) {
  m.beta = SubMenu(bar, AddToBar, "mnuBeta", "Beta");
  m.showForm2 = Item(m.beta, "mnuShowForm2", "Show Form 2", [f] { ShowSecondView(f->tools()); });
  Hide(m.beta);
  LabelPopup* p = &f->labelPopup();
  m.popup = SubMenu(bar, AddToBar, "PopUpObjLabel", "PopUpObjLabel");
  m.displayOrbitalElements = Item(m.popup, "mnuDisplayOrbitalElements", "Display Orbital Elements",
                                  [p] { p->mnuDisplayOrbitalElements_Click(); });
  m.focusThisObject = Item(m.popup, "mnuFocusThisObject", "Focus This Object", [p] { p->mnuFocusThisObject_Click(); });
  m.editThisObject = Item(m.popup, "mnuEditThisObject", "Edit this Object", [p] { p->mnuEditThisObject_Click(); });
  m.deleteThisObject =
      Item(m.popup, "mnuDeleteThisObject", "Delete This Object", [p] { p->mnuDeleteThisObject_Click(); });
  Hide(m.popup);
  p->setMenu(m.popup);
}

}  // namespace

void BuildMainMenus(Form1& form, MainMenus& m) {
  QMenuBar* bar = form.menuBar();
  Form1* f = &form;
  BuildFileMenu(f, bar, m);
  BuildObjectsMenu(f, bar, m);
  BuildViewMenu(f, bar, m);
  m.preferences = BarItem(bar, "mnuPreferences", "Preferences...", [f] { ShowPreferencesDialog(*f, *f); });
  BuildTimeMenu(f, bar, m);
  m.autoPilot = BarItem(bar, "mnuAutoPilot", "&Auto Pilot...", ShowWindow(f, InstrumentWindow::AutoPilot, false));
  BuildHelpMenu(f, bar, m);
  BuildHiddenMenus(f, bar, m);

  m.topLevel = {m.file->menuAction(), m.objects->menuAction(), m.view->menuAction(),
                m.preferences,        m.time->menuAction(),    m.autoPilot,
                m.help->menuAction()};
}

void SyncMainMenus(Form1& form, MainMenus& m) {
  const State& s = form.state();
  if (m.exaggerate) m.exaggerate->setChecked(s.ExaggerateObjectSizeOn);
  if (m.rotatingFrame) m.rotatingFrame->setChecked(s.RotatingFrame.on);
  if (m.timeForward) m.timeForward->setChecked(s.TimeForward);
  if (m.timeBackwards) m.timeBackwards->setChecked(!s.TimeForward);
  for (int w = 0; w < DashboardCount; ++w) {
    if (m.dashboardItems[w]) m.dashboardItems[w]->setChecked(form.tools().isOpen(static_cast<DashboardWindow>(w)));
  }
}

void UpdateViewMenuCaptions(Form1& form, MainMenus& m) {
  const State& s = form.state();
  if (m.rb1) m.rb1->setText(s.refbox1loaded ? "Hide Reference Box 1" : "Show Reference Box 1");
  if (m.rb2) m.rb2->setText(s.refbox2loaded ? "Hide Reference Box 2" : "Show Reference Box 2");
}

// ------------------------------------------------------- window commands

// The check mark shows whether the window is open; the item decides by
// the window itself and then shows what it did.
void Form1::toggleDashboard(DashboardWindow w) {
  if (tools_->isOpen(w)) {
    tools_->close(w);
  } else {
    tools_->open(w);
  }
  syncMenus();
}

void Form1::EditObjMnu_Click() {
  if (BodyCount(s_) < 1) return;  // no body to edit
  s_.ObjEditTarget = static_cast<int16_t>(std::clamp<int>(s_.focusobj, 1, BodyCount(s_)));
  instruments_->show(InstrumentWindow::ObjEdit, true);
}

void Form1::rb_Click(int which) {
  const InstrumentWindow w = which == 2 ? InstrumentWindow::RefBox2 : InstrumentWindow::RefBox1;
  if (instruments_->isShown(w)) {
    instruments_->close(w);
  } else {
    instruments_->show(w, true);
  }
}

}  // namespace molvane
