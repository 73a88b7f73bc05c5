// The main window's menu tree and the commands that only open, close or
// switch something.
#include <QApplication>
#include <QFileInfo>
#include <QMenuBar>
#include <QTest>
#include <functional>

#include "../support/pressing.h"
#include "engine/numtext.h"
#include "mainwindow/dashboard.h"
#include "mainwindow/viewwidget.h"
#include "menus_support.h"
#include "ui/text.h"

namespace molvane {
namespace {

using Menus = MenusFixture;
using Call = RecordingInstruments::Call;

struct Row {
  int level;
  std::string name, caption, shortcut;
  bool shown;
};

void Walk(const QList<QAction*>& actions, int level, std::vector<Row>& out) {
  for (QAction* a : actions) {
    const std::string caption = a->isSeparator() ? "-" : a->text().toStdString();
    out.push_back({level, a->objectName().toStdString(), caption,
                   a->shortcut().toString(QKeySequence::PortableText).toStdString(), a->isVisible()});
    if (a->menu()) Walk(a->menu()->actions(), level + 1, out);
  }
}

TEST_F(Menus, TheTreeHasItsCaptionsShortcutsChecksAndHiddenItems) {
  const std::vector<Row> expected = {
      {1, "mnuFile", "File", "", true},
      {2, "mnuNew", "&New", "Ctrl+N", true},
      {2, "mnuOpenBeta", "Open Beta", "", false},
      {2, "OpenMnu", "&Open", "Ctrl+O", true},
      {2, "mnuSaveBeta", "Save Beta", "", false},
      {2, "mnuSave", "&Save", "Ctrl+S", true},
      {2, "mnuSaveAndArchive", "Save and Archive", "", false},
      {2, "mnuSaveAsBeta", "Save As Beta", "", false},
      {2, "SaveasMnu", "Save &As...", "", true},
      {2, "mnuAutoSave", "Auto Save...", "", true},
      {2, "mnuFullResume", "&Full Restore", "F6", false},
      {2, "mnuResumeWithCommands", "&Restore with current commands", "F7", false},
      {2, "seperator3", "-", "", true},
      {2, "ExitMnu", "E&xit", "Ctrl+Q", true},
      {2, "recentFilesSep", "-", "", false},
      {2, "mnuRecent", "", "", false},
      {2, "mnuRecent", "", "", false},
      {2, "mnuRecent", "", "", false},
      {2, "mnuRecent", "", "", false},
      {1, "Objectsmnu", "&Objects", "", true},
      {2, "EditObjMnu", "&Edit Object...", "", true},
      {2, "CreateObjClassmnu", "Create Objects...", "", true},
      {1, "ViewMnu", "&View", "", true},
      {2, "mnuZoomIn", "Zoom In", "", true},
      {2, "mnuZoomOut", "Zoom Out", "", true},
      {2, "mnuLine", "-", "", true},
      {2, "rb1", "Show Reference Box &1...", "", false},
      {2, "rb2", "Show Reference Box &2...", "", false},
      {2, "mnuRefBoxS", "Add Distance And Velocity Box", "", true},
      {2, "mnuOrbitRef1", "Show Orbit Reference Box 1...", "", false},
      {2, "mnuAddOEB", "Add Orbital Elements Box", "", true},
      {2, "OrbitCalculatorMnu", "Orbit &Calculator", "", false},
      {2, "mnuAddThrustBox", "Add Thrust Box", "", true},
      {2, "mnuShowControlPanel", "Show Control &Panel...", "", false},
      {2, "mnuSpectrum", "Show Spectrum", "", false},
      {2, "mnuDashboard", "Dash Board Elements", "", true},
      {3, "mnuShowScreenScale", "Screen Scale...", "", true},
      {3, "mnuShowTimeRate", "Time Rate...", "", true},
      {3, "mnuFocusObject", "Focus Object...", "", true},
      {3, "mnuDateAndTime", "Date and Time...", "", true},
      {3, "mnuGraphicsOptions", "Graphics Options...", "", true},
      {3, "mnuShowAll", "Show All", "", true},
      {4, "mnuAlignVertically", "Align Vertically...", "F8", true},
      {4, "mnuAlignHorizontal", "Align Horizontal...", "F9", true},
      {3, "mnuHideAll", "Hide All", "", true},
      {2, "mnuFullScreen", "Full Screen", "F11", true},
      {2, "mnuBetaBox", "betabox", "", false},
      {2, "seperator", "-", "", true},
      {2, "mnuExaggerateObjectSize", "E&xaggerate Object Size", "", true},
      {2, "mnuRotatingFrame", "&Rotating Frame", "", true},
      {2, "mnuRotatingFrameAdjustment", "Rotating Frame &Adjustment...", "", true},
      {2, "sep30", "-", "", true},
      {2, "mnuAddCaption", "Add Caption...", "", true},
      {1, "mnuPreferences", "Preferences...", "", true},
      {1, "mnuTime", "Time", "", true},
      {2, "mnuPausePlay", "Pause", "", true},
      {2, "sep34", "-", "", true},
      {2, "mnuSetTime", "Set Time...", "", true},
      {2, "sepTime1", "-", "", true},
      {2, "mnuTimeForward", "Time &Forward", "", true},
      {2, "mnutimebackwards", "Time &Backwards", "", true},
      {1, "mnuAutoPilot", "&Auto Pilot...", "", true},
      {1, "Helpmnu", "&Help", "", true},
      {2, "mnuMolvHelp", "Molvane Help...", "", true},
      {2, "mnuOnlineHelp", "Molvane Online Help...", "", true},
      {2, "dim5", "-", "", true},
      {2, "mnuAbout", "About...", "", true},
      {1, "mnuBeta", "Beta", "", false},
      {2, "mnuShowForm2", "Show Form 2", "", true},
      {1, "PopUpObjLabel", "PopUpObjLabel", "", false},
      {2, "mnuDisplayOrbitalElements", "Display Orbital Elements", "", true},
      {2, "mnuFocusThisObject", "Focus This Object", "", true},
      {2, "mnuEditThisObject", "Edit this Object", "", true},
      {2, "mnuDeleteThisObject", "Delete This Object", "", true},
  };
  std::vector<Row> rows;
  Walk(form->menuBar()->actions(), 1, rows);
  ASSERT_EQ(rows.size(), expected.size());
  for (size_t i = 0; i < rows.size(); ++i) {
    SCOPED_TRACE(expected[i].name);
    EXPECT_EQ(rows[i].level, expected[i].level);
    EXPECT_EQ(rows[i].name, expected[i].name);
    EXPECT_EQ(rows[i].caption, expected[i].caption);
    EXPECT_EQ(rows[i].shortcut, expected[i].shortcut);
    EXPECT_EQ(rows[i].shown, expected[i].shown);
  }
  // Initial check marks: only the forward time direction.
  std::vector<std::string> checked;
  for (QAction* a : form->findChildren<QAction*>()) {
    if (a->isChecked()) checked.push_back(a->objectName().toStdString());
  }
  EXPECT_EQ(checked, std::vector<std::string>{"mnuTimeForward"});
  // Hidden items are disabled too, so no shortcut of theirs can act.
  for (QAction* a : form->findChildren<QAction*>()) {
    if (!a->isVisible() && !a->objectName().startsWith("mnuRecent") && a->objectName() != "recentFilesSep") {
      EXPECT_FALSE(a->isEnabled()) << a->objectName().toStdString();
    }
  }
}

TEST_F(Menus, ShortcutsOfShownItemsActAndThoseOfHiddenItemsDoNot) {
  addBodies(3);
  form->show();
  form->activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(form.get()));
  const std::string path = file("kept.molv");
  state->isitname = path;
  QTest::keyClick(form.get(), Qt::Key_F7);  // Restore with current commands: hidden
  QTest::keyClick(form.get(), Qt::Key_F6);  // Full Restore: hidden
  EXPECT_FALSE(state->KeepCommandsFlag);
  EXPECT_TRUE(dialogs.messages().empty());  // no attempt to open the missing file
  EXPECT_EQ(state->objects, 3);

  QTest::keyClick(form.get(), Qt::Key_S, Qt::ControlModifier);  // saves once
  EXPECT_TRUE(QFile::exists(QString::fromStdString(path)));
  EXPECT_TRUE(asked().empty());
  QTest::keyClick(form.get(), Qt::Key_F8);
  EXPECT_EQ(tools->alignV, 1);
  QTest::keyClick(form.get(), Qt::Key_F9);
  EXPECT_EQ(tools->alignH, 1);
  QTest::keyClick(form.get(), Qt::Key_N, Qt::ControlModifier);
  EXPECT_EQ(state->objects, 1);
  EXPECT_EQ(state->isitname, "New");
  // Ctrl+S runs Save once, not once for the item and again for the key.
  QTest::keyClick(form.get(), Qt::Key_S, Qt::ControlModifier);
  EXPECT_EQ(asked().size(), 1u);
}

TEST_F(Menus, DashboardItemsToggleTheirWindowsAndShowWhetherTheyAreOpen) {
  MainMenus& m = form->menus();
  QAction* timeRate = m.dashboardItems[DashTimeRate];
  timeRate->trigger();
  EXPECT_TRUE(state->timerateloaded);
  EXPECT_TRUE(timeRate->isChecked());
  timeRate->trigger();
  EXPECT_FALSE(state->timerateloaded);
  EXPECT_FALSE(timeRate->isChecked());

  // Opened by its key, the window's item shows the tick when the menu opens.
  form->KeyPresses(23);  // Ctrl+W
  emit m.view->aboutToShow();
  EXPECT_TRUE(m.dashboardItems[DashScreenScale]->isChecked());
  m.dashboardItems[DashScreenScale]->trigger();  // open: closes it
  EXPECT_FALSE(state->screenscaleloaded);

  // Hide All closes every one; with none open it changes nothing.
  m.dashboardItems[DashFocusObject]->trigger();
  m.dashboardItems[DashGraphicsOptions]->trigger();
  m.hideAll->trigger();
  for (int w = 0; w < DashboardCount; ++w) {
    EXPECT_FALSE(tools->isOpen(static_cast<DashboardWindow>(w)));
    EXPECT_FALSE(m.dashboardItems[w]->isChecked());
  }
  m.hideAll->trigger();
  EXPECT_FALSE(state->focusobjectloaded);
  m.alignVertically->trigger();
  m.alignHorizontal->trigger();
  EXPECT_EQ(tools->alignV, 1);
  EXPECT_EQ(tools->alignH, 1);
}

TEST_F(Menus, CheckableItemsShowTheStateTheirHandlersSet) {
  addBodies(2);
  MainMenus& m = form->menus();
  const double vx = state->objvx[2];
  m.timeBackwards->trigger();
  m.timeBackwards->trigger();  // already backwards: nothing more
  EXPECT_EQ(state->objvx[2], -vx);
  EXPECT_TRUE(m.timeBackwards->isChecked());
  EXPECT_FALSE(m.timeForward->isChecked());
  m.timeForward->trigger();
  EXPECT_EQ(state->objvx[2], vx);
  m.timeForward->trigger();  // Qt would untick it; the direction stays forward
  EXPECT_TRUE(m.timeForward->isChecked());
  EXPECT_FALSE(m.timeBackwards->isChecked());

  m.rotatingFrame->trigger();
  EXPECT_TRUE(state->RotatingFrame.on);
  EXPECT_TRUE(m.rotatingFrame->isChecked());
  m.exaggerate->trigger();
  m.exaggerate->trigger();
  EXPECT_FALSE(state->ExaggerateObjectSizeOn);
  EXPECT_FALSE(m.exaggerate->isChecked());

  m.pausePlay->trigger();
  EXPECT_TRUE(state->PausedFlag);
  EXPECT_EQ(m.pausePlay->text(), "Play");
}

TEST_F(Menus, FullScreenHidesTheSevenTopLevelEntriesAndLeavingKeepsTheHiddenOnesHidden) {
  MainMenus& m = form->menus();
  m.fullScreen->trigger();
  for (QAction* a : form->menuBar()->actions()) EXPECT_FALSE(a->isVisible()) << a->objectName().toStdString();
  form->KeyPresses(27);
  int shown = 0;
  for (QAction* a : form->menuBar()->actions()) shown += a->isVisible();
  EXPECT_EQ(shown, 7);
  EXPECT_FALSE(m.beta->menuAction()->isVisible());
  EXPECT_FALSE(m.popup->menuAction()->isVisible());
}

TEST_F(Menus, WindowItemsOpenTheirWindows) {
  MainMenus& m = form->menus();
  using W = InstrumentWindow;
  using Call = RecordingInstruments::Call;

  // Edit Object edits the focus body, at least body 1, and opens afresh;
  // without bodies there is nothing to edit.
  m.editObject->trigger();
  EXPECT_TRUE(instruments->calls.empty());
  addBodies(3);
  state->focusobj = 0;
  m.editObject->trigger();
  EXPECT_EQ(state->ObjEditTarget, 1);
  state->focusobj = 3;
  m.editObject->trigger();
  EXPECT_EQ(state->ObjEditTarget, 3);
  m.createObjects->trigger();
  m.rotatingFrameAdjustment->trigger();
  m.addCaption->trigger();
  m.autoPilot->trigger();
  const std::vector<Call> expected = {{"reload", int(W::ObjEdit)},     {"reload", int(W::ObjEdit)},
                                      {"show", int(W::CreateObjects)}, {"reload", int(W::RotatingPeriod)},
                                      {"show", int(W::AddCaption)},    {"show", int(W::AutoPilot)}};
  EXPECT_EQ(instruments->calls, expected);

  // The hidden reference-box items: captions follow the boxes when the View
  // menu opens; the handler hides a shown box and opens a hidden one afresh.
  state->refbox1loaded = true;
  emit m.view->aboutToShow();
  EXPECT_EQ(m.rb1->text(), "Hide Reference Box 1");
  EXPECT_EQ(m.rb2->text(), "Show Reference Box 2");
  instruments->calls.clear();
  form->rb_Click(2);
  instruments->refBoxShown = true;
  form->rb_Click(1);
  EXPECT_EQ(instruments->calls, (std::vector<Call>{{"reload", int(W::RefBox2)}, {"hide", int(W::RefBox1)}}));
}

// Each shown item clicked in its opened menu on a fresh main window over
// three bodies and a saved situation: what each alone changes. The popup's
// items are clicked in the popup that a right click on body 2's label opens.
TEST_F(Menus, EachShownItemClickedDoesItsOwnCommand) {
  std::vector<QUrl> opened;
  const auto look = [&]() -> Look {
    const State& s = *state;
    const bool counting = &form->tools() == tools;  // the Help and About rows put the real set in
    std::string windows, calls, dash, help;
    for (QWidget* w : QApplication::topLevelWidgets())
      if (w->isVisible() && w != form.get()) windows += w->windowTitle().toStdString();
    const char* named[] = {"ObjEdit", "CreateObjects", "RotatingPeriod", "AddCaption", "AutoPilot"};
    for (const Call& c : instruments->calls)
      calls += c.what + " " + (c.what.starts_with("open") || c.a > 4 ? std::to_string(c.a) : named[c.a]) + ";";
    for (int w = 0; w < DashboardCount; ++w) dash += Flag(DashboardOpenFlag(s, static_cast<DashboardWindow>(w)));
    for (const QUrl& u : opened) help += u.fileName().toStdString();
    return Look(
        {"main=" + Flag(form->isVisible()), "windows=" + windows, "calls=" + calls, "bodies=" + GeneralText(s.objects),
         "file=" + QFileInfo(PathText(s.isitname)).fileName().toStdString(), "asked=" + std::to_string(asked().size()),
         "files=" + QDir(dataDir()).entryList({"*.molv"}).join(" ").toStdString(),
         "scale=" + GeneralText(s.ScalePixel / State().ScalePixel), "dash=" + dash,
         "align=" + (counting ? std::to_string(tools->alignV) + std::to_string(tools->alignH) : ""),
         "titlebar=" + Flag(form->windowStyle().titlebar()), "exaggerate=" + Flag(s.ExaggerateObjectSizeOn),
         "rotating=" + Flag(s.RotatingFrame.on), "paused=" + Flag(s.PausedFlag), "forward=" + Flag(s.TimeForward),
         "help=" + help, "focus=" + GeneralText(s.focusobj), "edit=" + GeneralText(s.ObjEditTarget)});
  };
  const auto helpPages = [&] {
    auto t = std::make_unique<MainToolWindows>(*form, *form);
    t->openUrl = [&opened](const QUrl& u) { return opened.push_back(u), true; };
    form->setToolWindows(std::move(t));
  };
  const auto recent = [&](const std::string& path) {
    state->RecentFiles[1] = path;
    form->fileCommands().refreshRecentMenu();
  };
  struct Row {
    std::vector<const char*> path;
    const char* changes;
    std::function<void()> setup = {};
  };
  const Row rows[] = {
      {{"mnuFile", "mnuNew"}, "bodies=1 file=New scale=40.96"},
      {{"mnuFile", "OpenMnu"}, "file=same.molv asked=1", [&] { answer(file("same.molv")); }},
      {{"mnuFile", "mnuSave"}, "files=kept.molv same.molv", [&] { state->isitname = file("kept.molv"); }},
      {{"mnuFile", "SaveasMnu"}, "file=as.molv asked=1 files=as.molv same.molv", [&] { answer(file("as.molv")); }},
      {{"mnuFile", "mnuAutoSave"}, "windows=Auto Save"},
      {{"mnuFile", "ExitMnu"}, "main=0"},
      {{"mnuFile", "mnuRecent"}, "file=same.molv", [&] { recent(file("same.molv")); }},
      {{"Objectsmnu", "EditObjMnu"}, "calls=reload ObjEdit; edit=1"},
      {{"Objectsmnu", "CreateObjClassmnu"}, "calls=show CreateObjects;"},
      {{"ViewMnu", "mnuZoomIn"}, "scale=1.5"},
      {{"ViewMnu", "mnuZoomOut"}, "scale=.666666666666667"},
      {{"ViewMnu", "mnuRefBoxS"}, "calls=open distance 1;"},
      {{"ViewMnu", "mnuAddOEB"}, "calls=open orbit 1;"},
      {{"ViewMnu", "mnuAddThrustBox"}, "calls=open thrust 1;"},
      {{"ViewMnu", "mnuDashboard", "mnuShowScreenScale"}, "dash=10000"},
      {{"ViewMnu", "mnuDashboard", "mnuShowTimeRate"}, "dash=01000"},
      {{"ViewMnu", "mnuDashboard", "mnuFocusObject"}, "dash=00100"},
      {{"ViewMnu", "mnuDashboard", "mnuDateAndTime"}, "dash=00010"},
      {{"ViewMnu", "mnuDashboard", "mnuGraphicsOptions"}, "dash=00001"},
      {{"ViewMnu", "mnuDashboard", "mnuShowAll", "mnuAlignVertically"}, "align=10"},
      {{"ViewMnu", "mnuDashboard", "mnuShowAll", "mnuAlignHorizontal"}, "align=01"},
      {{"ViewMnu", "mnuDashboard", "mnuHideAll"}, "dash=00000", [&] { tools->open(DashTimeRate); }},
      {{"ViewMnu", "mnuFullScreen"}, "titlebar=0"},
      {{"ViewMnu", "mnuExaggerateObjectSize"}, "exaggerate=1"},
      {{"ViewMnu", "mnuRotatingFrame"}, "rotating=1"},
      {{"ViewMnu", "mnuRotatingFrameAdjustment"}, "calls=reload RotatingPeriod;"},
      {{"ViewMnu", "mnuAddCaption"}, "calls=show AddCaption;"},
      {{"mnuPreferences"}, "windows=Preferences"},
      {{"mnuTime", "mnuPausePlay"}, "paused=1"},
      {{"mnuTime", "mnuSetTime"}, "windows=Set Time"},
      {{"mnuTime", "mnuTimeForward"}, "forward=1", [&] { form->ReverseTime(); }},
      {{"mnuTime", "mnutimebackwards"}, "forward=0"},
      {{"mnuAutoPilot"}, "calls=show AutoPilot;"},
      {{"Helpmnu", "mnuMolvHelp"}, "help=tutorials.html", helpPages},
      {{"Helpmnu", "mnuOnlineHelp"},
       "help=online.html",
       [&] { helpPages(), qputenv("MOLVANE_ONLINE_HELP", "https://example.org/molvane/online.html"); }},
      {{"Helpmnu", "mnuAbout"}, "windows=About Molvane", helpPages},
      {{"PopUpObjLabel", "mnuDisplayOrbitalElements"}, "calls=open orbit 1;"},
      {{"PopUpObjLabel", "mnuFocusThisObject"}, "focus=2"},
      {{"PopUpObjLabel", "mnuEditThisObject"}, "calls=show ObjEdit; edit=2"},
      {{"PopUpObjLabel", "mnuDeleteThisObject"}, "bodies=2"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.path.back());
    TearDown();
    QDir(dataDir()).removeRecursively();
    SetUp();
    opened.clear();
    addBodies(3);
    ASSERT_TRUE(form->saveSituation(file("same.molv")));
    form->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(form.get()));
    if (row.setup) row.setup();
    const bool popup = row.path[0] == std::string("PopUpObjLabel");
    if (popup) {
      state->ScalePixel = 1e-7;  // the labels 100 pixels apart
      form->LabelsOnOff();
      form->plot();
      QTest::mouseClick(form->viewWidget(), Qt::RightButton, {}, form->view().labelRect(2).center().toPoint());
    }
    const Look before = look();
    QWidget* from = popup ? static_cast<QWidget*>(form->menus().popup) : form->menuBar();
    EXPECT_TRUE(ChooseMenuItem(from, {row.path.begin() + popup, row.path.end()}));
    EXPECT_EQ(Changes(before, look()), row.changes);
    qunsetenv("MOLVANE_ONLINE_HELP");
    for (QWidget* w : QApplication::topLevelWidgets())
      if (w != form.get()) w->close();
  }
}

}  // namespace
}  // namespace molvane
