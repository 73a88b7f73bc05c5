// The dashboard tool windows: opening and closing by key, the F8 and F9
// alignments and the stored places, and the controls of each window.
#include "mainwindow/dashboard.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QMenuBar>
#include <QScreen>
#include <QTest>
#include <array>
#include <string>
#include <utility>

#include "../support/fakewindowservices.h"
#include "../support/pressing.h"
#include "engine/calendar.h"
#include "engine/numtext.h"
#include "engine/simulation.h"
#include "engine/timestep.h"
#include "engine/view.h"
#include "form1_support.h"
#include "mainwindow/dashboardhost.h"
#include "mainwindow/menudialogs.h"
#include "mainwindow/menus.h"
#include "mainwindow/secondview.h"
#include "mainwindow/viewwidget.h"

namespace molvane {
namespace {

class Dashboard : public Form1Fixture {
 protected:
  void SetUp() override {
    Form1Fixture::SetUp();
    makeForm();
    addBodies(3);
    auto t = std::make_unique<MainToolWindows>(*form, *form);
    tw = t.get();
    form->setToolWindows(std::move(t));
    form->show();
  }
  MainToolWindows* tw = nullptr;
};

constexpr std::array<std::pair<int, DashboardWindow>, 5> KeyToggles = {
    {{23, DashScreenScale}, {20, DashTimeRate}, {6, DashFocusObject}, {4, DashDateAndTime}, {7, DashGraphicsOptions}}};

TEST_F(Dashboard, KeysOpenAndCloseEachWindow) {
  for (auto [code, w] : KeyToggles) {
    form->KeyPresses(code);
    ASSERT_NE(tw->window(w), nullptr) << code;
    EXPECT_TRUE(tw->window(w)->isVisible());
    EXPECT_TRUE(tw->isOpen(w));
    EXPECT_TRUE(DashboardOpenFlag(*state, w));
    EXPECT_TRUE(tw->window(w)->testAttribute(Qt::WA_DeleteOnClose));
    EXPECT_EQ(tw->window(w)->windowFlags() & Qt::WindowType_Mask, Qt::Tool);
    EXPECT_EQ(tw->window(w)->parentWidget(), form.get());
    // Opened by its toggle: the default place.
    const QPoint def = MainToolWindows::DefaultPlaceTwips(w);
    EXPECT_EQ(state->dashboard[w].left, def.x());
    EXPECT_EQ(state->dashboard[w].top, def.y());
  }
  EXPECT_TRUE(state->screenscaleloaded && state->timerateloaded && state->focusobjectloaded &&
              state->dateandtimeloaded && state->graphicsoptionsloaded);
  for (auto [code, w] : KeyToggles) {
    form->KeyPresses(code);
    EXPECT_EQ(tw->window(w), nullptr) << code;
    EXPECT_FALSE(tw->isOpen(w));
    EXPECT_FALSE(DashboardOpenFlag(*state, w));
  }
  // Reopened at once (the closed one is only deleted later).
  form->KeyPresses(20);
  EXPECT_TRUE(tw->timeRate() && tw->timeRate()->isVisible());
  tw->hideAll();
  EXPECT_FALSE(state->timerateloaded);
  tw->hideAll();  // nothing open: nothing happens
  QApplication::processEvents();
}

TEST_F(Dashboard, MenuTicksFollowTheWindowsAndExitClosesThem) {
  form->KeyPresses(23);
  form->KeyPresses(4);
  EXPECT_TRUE(form->menus().dashboardItems[DashScreenScale]->isChecked());
  EXPECT_TRUE(form->menus().dashboardItems[DashDateAndTime]->isChecked());
  EXPECT_FALSE(form->menus().dashboardItems[DashTimeRate]->isChecked());
  // The window's own close box.
  tw->screenScale()->close();
  EXPECT_FALSE(state->screenscaleloaded);
  EXPECT_FALSE(form->menus().dashboardItems[DashScreenScale]->isChecked());
  form->close();
  EXPECT_FALSE(state->dateandtimeloaded);
  EXPECT_FALSE(tw->dateAndTime());
}

TEST_F(Dashboard, KeysTypedInAToolWindowReachTheCommandTable) {
  form->KeyPresses(7);
  frmGraphicsOptions* g = tw->graphicsOptions();
  ASSERT_TRUE(g);
  ASSERT_TRUE(state->anchor);
  QTest::keyClick(g->Command19, Qt::Key_F);  // "f": anchor
  EXPECT_FALSE(state->anchor);
  EXPECT_EQ(g->Command18->text(), "A");
  QTest::keyClick(g, Qt::Key_F);
  EXPECT_TRUE(state->anchor);
  EXPECT_EQ(g->Command18->text(), "F");
  // Esc in the focus window toggles the main window's full-screen look.
  form->KeyPresses(6);
  ASSERT_TRUE(tw->focusObject());
  QTest::keyClick(tw->focusObject()->Combo2, Qt::Key_Escape);
  EXPECT_FALSE(form->windowStyle().titlebar());
  QTest::keyClick(tw->focusObject(), Qt::Key_Escape);
  EXPECT_TRUE(form->windowStyle().titlebar());
  // Esc that closes the dropped list does only that.
  tw->focusObject()->Combo2->showPopup();
  QTest::keyClick(tw->focusObject()->Combo2->view(), Qt::Key_Escape);
  EXPECT_FALSE(tw->focusObject()->Combo2->view()->isVisible());
  EXPECT_TRUE(form->windowStyle().titlebar());
  // Ctrl+D in a dashboard window opens the date window.
  QTest::keyClick(g->Command20, Qt::Key_D, Qt::ControlModifier);
  EXPECT_TRUE(state->dateandtimeloaded);
}

TEST_F(Dashboard, F8StacksAllFiveWindowsDownTheLeftEdge) {
  form->KeyPresses(20);  // one open window to press F8 in
  QTest::keyRelease(tw->timeRate()->Command16, Qt::Key_F8);
  int expectedTop = 690;
  for (int w = 0; w < DashboardCount; ++w) {
    DashboardWindowBase* win = tw->window(static_cast<DashboardWindow>(w));
    ASSERT_TRUE(win) << w;
    EXPECT_TRUE(win->isVisible());
    EXPECT_EQ(state->dashboard[w].left, 0) << w;
    EXPECT_EQ(state->dashboard[w].top, expectedTop) << w;
    EXPECT_EQ(win->frameGeometry().topLeft(), QPoint(0, expectedTop / 15)) << w;
    EXPECT_GT(win->heightTwips(), 0);
    expectedTop += win->heightTwips();
  }
  // F8 with all five closed opens them all again.
  tw->hideAll();
  tw->alignVertically();
  for (int w = 0; w < DashboardCount; ++w) EXPECT_TRUE(tw->isOpen(static_cast<DashboardWindow>(w)));
}

TEST_F(Dashboard, F9LinesThemUpAlongTheTop) {
  form->KeyPresses(6);
  QTest::keyRelease(tw->focusObject()->Combo2, Qt::Key_F9);
  for (int w = 0; w < DashboardCount; ++w) {
    DashboardWindowBase* win = tw->window(static_cast<DashboardWindow>(w));
    ASSERT_TRUE(win) << w;
    EXPECT_EQ(state->dashboard[w].top, 690) << w;
    EXPECT_EQ(state->dashboard[w].left, 2010 * w) << w;
    EXPECT_EQ(win->frameGeometry().topLeft(), QPoint(134 * w, 46)) << w;
  }
  // Other keys released do nothing; the main window's own key-up does not align.
  tw->hideAll();
  form->KeyPresses(23);
  QTest::keyRelease(tw->screenScale(), Qt::Key_F7);
  EXPECT_FALSE(state->timerateloaded);
}

TEST_F(Dashboard, SituationPlacesOpenAtTheStoredPlaceAndFollowMoves) {
  // A reader sets the flag and the place, then asks for the window.
  state->timerateloaded = true;
  state->dashboard[DashTimeRate] = {1500, 3000};
  form->openDashboard(DashTimeRate);
  ASSERT_TRUE(tw->timeRate());
  EXPECT_EQ(state->dashboard[DashTimeRate].top, 1500);
  EXPECT_EQ(state->dashboard[DashTimeRate].left, 3000);
  EXPECT_EQ(tw->timeRate()->frameGeometry().topLeft(), QPoint(200, 100));
  // A move is the place the next save records.
  tw->timeRate()->move(30, 40);
  QApplication::processEvents();
  EXPECT_EQ(state->dashboard[DashTimeRate].left, 450);
  EXPECT_EQ(state->dashboard[DashTimeRate].top, 600);
  form->closeDashboard(DashTimeRate);
  EXPECT_FALSE(state->timerateloaded);
  EXPECT_FALSE(DashboardOpenFlag(*state, DashTimeRate));
}

// What a file places far off the screen comes back where the user can
// reach it: a dashboard window, any other window it opens (boxes, panels),
// the main window, a caption outside the view. A window that fits the screen
// but runs over its right edge comes in as far as needed to show it whole.
TEST_F(Dashboard, WhatAFilePlacesOffTheScreenComesBack) {
  const QRect area = form->screen()->availableGeometry();
  state->timerateloaded = true;
  state->dashboard[DashTimeRate] = {1e7f, -3e6f};
  form->openDashboard(DashTimeRate);
  QWidget box(form.get(), Qt::Tool), edge(form.get(), Qt::Tool);
  box.setGeometry(100000, -5000, 120, 80);
  edge.setGeometry(area.right() - 100, 10, 300, 80);
  box.show();
  edge.show();
  state->mainWindow = {0, 0, -1e6f, -1e6f, 400 * 15, 300 * 15};
  form->setMainWindow();
  state->captions[1] = {"far", "", 10, 0, false, false, false, false, 1e9f, 1e9f, 20, 60};
  form->setCaptionLabel(1);
  QApplication::processEvents();
  for (QWidget* w : {static_cast<QWidget*>(tw->timeRate()), &box, static_cast<QWidget*>(form.get())})
    EXPECT_TRUE(area.contains(w->frameGeometry())) << w->frameGeometry().x() << "," << w->frameGeometry().y();
  EXPECT_EQ(edge.frameGeometry().right(), area.right());
  EXPECT_EQ(edge.geometry().y(), 10);
  EXPECT_EQ(state->dashboard[DashTimeRate].left, tw->timeRate()->frameGeometry().x() * 15);  // saved as shown
  EXPECT_TRUE(form->viewWidget()->rect().contains(form->captionLabel(1)->geometry()));
  // A main window kept from a larger screen shrinks to this one's free area.
  state->mainWindow = {0, 0, 40 * 15, 60 * 15, 3000 * 15, 2000 * 15};
  form->setMainWindow();
  EXPECT_TRUE(area.contains(form->frameGeometry()));
  EXPECT_EQ(form->frameGeometry().size(), area.size());
}

TEST_F(Dashboard, SavedSituationReopensTheWindowsWhereTheyWere) {
  form->KeyPresses(23);
  form->KeyPresses(4);
  tw->screenScale()->setTopTwips(900);
  tw->screenScale()->setLeftTwips(1200);
  state->mainWindow.backColor = 0x402010;
  const std::string path = dataPath() + "/places.molv";
  ASSERT_TRUE(form->saveSituation(path));
  tw->hideAll();
  ASSERT_TRUE(form->openSituation(path));
  // The captions stand on the loaded background colour.
  EXPECT_EQ(form->captionLabel(4)->palette().color(QPalette::Window), QColor(0x10, 0x20, 0x40));
  ASSERT_TRUE(tw->screenScale());
  ASSERT_TRUE(tw->dateAndTime());
  EXPECT_FALSE(tw->timeRate());
  EXPECT_EQ(state->dashboard[DashScreenScale].top, 900);
  EXPECT_EQ(state->dashboard[DashScreenScale].left, 1200);
  EXPECT_EQ(tw->screenScale()->frameGeometry().topLeft(), QPoint(80, 60));
  EXPECT_EQ(state->dashboard[DashDateAndTime].top, 690);
  EXPECT_EQ(state->dashboard[DashDateAndTime].left, 3 * 2010);
}

TEST_F(Dashboard, ScreenScaleShowsTheVisibleWidthInItsUnit) {
  EXPECT_EQ(ScreenScaleText(1.5e8), "150,000,000  Km");
  EXPECT_EQ(ScreenScaleText(1.5e8 * 2), "2.  AU");
  EXPECT_EQ(ScreenScaleText(2e13), "2.131  LY");
  EXPECT_EQ(ScreenScaleText(2 * 9.3851136e12), "2.  LY");
  EXPECT_EQ(ScreenScaleText(5e-6), ".5  cm");
  EXPECT_EQ(ScreenScaleText(1), "1,000.  m");
  EXPECT_EQ(ScreenScaleText(0.001), "100.  cm");
  EXPECT_EQ(ScreenScaleText(0.0015), "1.5  m");
  EXPECT_EQ(ScreenScaleText(1234.4), "1,234  Km");

  form->KeyPresses(23);
  frmScreenScale* w = tw->screenScale();
  ASSERT_TRUE(w);
  EXPECT_EQ(w->Label1->text().toStdString(), ScreenScaleText(form->visibleWidthKm()));
  const double before = state->ScalePixel;
  QTest::mouseClick(w->Command13, Qt::LeftButton);
  EXPECT_DOUBLE_EQ(state->ScalePixel, before * 1.5);
  EXPECT_EQ(w->Label1->text().toStdString(), ScreenScaleText(form->visibleWidthKm()));
  QTest::mouseClick(w->Command14, Qt::LeftButton);
  EXPECT_DOUBLE_EQ(state->ScalePixel, before * 1.5 / 1.5);
}

TEST_F(Dashboard, TimeStepHalvesAndDoublesAtOnceWhilePaused) {
  state->PausedFlag = true;
  form->KeyPresses(20);
  frmTimeRate* w = tw->timeRate();
  ASSERT_TRUE(w);
  EXPECT_EQ(w->Command15->text(), ">");
  EXPECT_EQ(w->windowTitle(), "Time Step");
  EXPECT_EQ(w->Label1->text(), "1");
  const double vx = state->objvx[2];
  QTest::mouseClick(w->Command16, Qt::LeftButton);
  EXPECT_EQ(state->timescale, 2);
  EXPECT_EQ(state->objvx[2], 2 * vx);
  EXPECT_FALSE(state->TimeStepDoubleRequest);
  EXPECT_EQ(w->windowTitle(), "Time Step -- Seconds");
  EXPECT_EQ(w->toolTip(), w->windowTitle());  // the whole caption, which a narrow title bar cuts short
  EXPECT_EQ(w->Label1->text().toStdString(), TimeStepDisplay(2).text);
  QTest::mouseClick(w->Command17, Qt::LeftButton);
  QTest::mouseClick(w->Command17, Qt::LeftButton);
  EXPECT_EQ(state->timescale, 0.5);
  EXPECT_FALSE(state->TimeStepHalveRequest);
  // Resuming does not apply anything again.
  QTest::mouseClick(w->Command15, Qt::LeftButton);
  EXPECT_FALSE(state->PausedFlag);
  EXPECT_EQ(w->Command15->text(), "||");
  EXPECT_TRUE(form->timerEnabled());
  EXPECT_EQ(state->timescale, 0.5);
  QTest::mouseClick(w->Command15, Qt::LeftButton);
  EXPECT_TRUE(state->PausedFlag);
  EXPECT_EQ(w->Command15->text(), ">");
  EXPECT_FALSE(form->timerEnabled());
}

TEST_F(Dashboard, TimeStepChangesWhileRunningWaitForTheEndOfTheStep) {
  state->PausedFlag = false;
  state->timescale = 0.5;
  form->KeyPresses(20);
  frmTimeRate* w = tw->timeRate();
  ASSERT_TRUE(w);
  EXPECT_EQ(w->Command15->text(), "||");
  EXPECT_EQ(w->Label1->text(), ".5");  // the plain form
  QTest::mouseClick(w->Command16, Qt::LeftButton);
  QTest::mouseClick(w->Command16, Qt::LeftButton);
  EXPECT_TRUE(state->TimeStepDoubleRequest);
  EXPECT_EQ(state->timescale, 0.5);
  SimulationStep(*state, *form);
  EXPECT_EQ(state->timescale, 1);  // two presses in one step: one change
  EXPECT_FALSE(state->TimeStepDoubleRequest);
  EXPECT_EQ(w->windowTitle(), "Time Step -- Seconds");
  // "+" and "-" in the same step: halved, then doubled.
  QTest::mouseClick(w->Command16, Qt::LeftButton);
  QTest::mouseClick(w->Command17, Qt::LeftButton);
  EXPECT_TRUE(state->TimeStepDoubleRequest && state->TimeStepHalveRequest);
  SimulationStep(*state, *form);
  EXPECT_EQ(state->timescale, 1);
  EXPECT_FALSE(state->TimeStepDoubleRequest || state->TimeStepHalveRequest);
  form->PausePlay();
}

TEST_F(Dashboard, FocusWindowPicksTheFocusBody) {
  state->focusobj = 2;
  form->KeyPresses(6);
  frmFocusObject* w = tw->focusObject();
  ASSERT_TRUE(w);
  ASSERT_EQ(w->Combo2->count(), 3);
  EXPECT_EQ(w->Combo2->currentIndex(), 1);
  EXPECT_EQ(state->focusobj, 2);
  // A user's pick: the entry picked, whatever body shares its name.
  state->objname[3] = "Body1";
  form->refreshObjectLists();
  PickRow(w->Combo2, 2, true);
  EXPECT_EQ(state->focusobj, 3);
  state->objlastx[1] = 5;
  PickRow(w->Combo2, 0);
  EXPECT_EQ(state->focusobj, 1);
  EXPECT_EQ(state->objlastx[1], -1000);
  form->KeyPresses(6);
  // Opened while the focus is the floating point: the first entry.
  state->objname[3] = "Body3";
  state->focusobj = 0;
  form->KeyPresses(6);
  EXPECT_EQ(state->focusobj, 1);
  EXPECT_EQ(tw->focusObject()->Combo2->currentIndex(), 0);
}

TEST_F(Dashboard, FocusListFollowsRefreshesAndTheFloatingPick) {
  form->KeyPresses(6);
  frmFocusObject* w = tw->focusObject();
  ASSERT_TRUE(w);
  state->objname[2] = "Renamed";
  state->focusobj = 2;
  form->refreshObjectLists();
  EXPECT_EQ(w->Combo2->itemText(1), "Renamed");
  EXPECT_EQ(w->Combo2->currentIndex(), 1);
  EXPECT_EQ(state->focusobj, 2);
  // The floating point keeps the focus; the list shows no body.
  state->PickFloatingFocus = true;
  form->resize(400, 300);
  QApplication::processEvents();
  form->PickFloatingFocusAt(QPointF(100, 100));
  EXPECT_EQ(state->focusobj, 0);
  EXPECT_EQ(w->Combo2->currentIndex(), -1);
  // No bodies: an empty list.
  state->objects = 0;
  form->refreshObjectLists();
  EXPECT_EQ(w->Combo2->count(), 0);
}

TEST_F(Dashboard, DateWindowFollowsTheDrawingAndFitsItsWidth) {
  EXPECT_EQ(DateAndTimeWidth(2010, 3000), 3100);
  EXPECT_EQ(DateAndTimeWidth(3100, 1500), 2010);
  EXPECT_EQ(DateAndTimeWidth(3100, 2500), 3100);
  EXPECT_EQ(DateAndTimeWidth(3100, 3000), 3100);

  state->SecondsElapsed = 63271756800.0;
  form->KeyPresses(4);
  frmDateAndTime* w = tw->dateAndTime();
  ASSERT_TRUE(w);
  EXPECT_EQ(w->Label11->text().toStdString(), FormatDateTimeText(63271756800.0));
  EXPECT_LE(w->Label11->geometry().right(), w->width());  // whole before the first drawing
  const int opened = w->widthTwips();
  state->SecondsElapsed += 86400;
  EXPECT_EQ(w->Label11->text().toStdString(), FormatDateTimeText(63271756800.0));
  form->plot();
  EXPECT_EQ(w->Label11->text().toStdString(), FormatDateTimeText(63271756800.0 + 86400));
  const int lw = w->Label11->width() * 15;
  EXPECT_NEAR(w->widthTwips(), DateAndTimeWidth(opened, lw), 15);  // to the nearest pixel
  // Plotting off: the text stays.
  state->pplot = false;
  state->SecondsElapsed += 86400;
  form->plot();
  EXPECT_EQ(w->Label11->text().toStdString(), FormatDateTimeText(63271756800.0 + 86400));
  // Minimized, the window is left alone until it is restored.
  state->pplot = true;
  w->showMinimized();
  form->plot();
  EXPECT_EQ(w->Label11->text().toStdString(), FormatDateTimeText(63271756800.0 + 86400));
  w->showNormal();
  EXPECT_EQ(w->Label11->text().toStdString(), FormatDateTimeText(63271756800.0 + 2 * 86400));
  // The running loop, paused, leaves the clock its last step drew, which
  // the step then moved on.
  state->timescale = 60;
  form->viewWidget()->setFrameInterval(3600000);  // one frame, then only the pause shows
  state->PausedFlag = false;
  form->Timer1_Timer();
  ASSERT_TRUE(QTest::qWaitFor([&] { return state->SecondsElapsed > 63271756800.0 + 3 * 86400; }, 10000));
  form->PausePlay();
  ASSERT_TRUE(QTest::qWaitFor([&] { return !state->loopRunning; }, 5000));
  EXPECT_EQ(w->Label11->text().toStdString(), FormatDateTimeText(state->SecondsElapsed - 60));
}

TEST_F(Dashboard, GraphicsOptionsButtons) {
  form->KeyPresses(7);
  frmGraphicsOptions* w = tw->graphicsOptions();
  ASSERT_TRUE(w);
  QTest::mouseClick(w->Command1, Qt::LeftButton);
  EXPECT_TRUE(state->PickFloatingFocus);
  EXPECT_TRUE(w->showsArrow());
  EXPECT_EQ(form->viewWidget()->cursor().shape(), Qt::CrossCursor);
  QTest::mouseClick(w->Command1, Qt::LeftButton);
  EXPECT_FALSE(state->PickFloatingFocus);
  EXPECT_FALSE(w->showsArrow());
  EXPECT_EQ(form->viewWidget()->cursor().shape(), Qt::ArrowCursor);

  const bool trails = state->trails, plot = state->pplot, labels = state->llabels;
  QTest::mouseClick(w->Command19, Qt::LeftButton);
  QTest::mouseClick(w->Command20, Qt::LeftButton);
  QTest::mouseClick(w->Command21, Qt::LeftButton);
  EXPECT_EQ(state->trails, !trails);
  EXPECT_EQ(state->pplot, !plot);
  EXPECT_EQ(state->llabels, !labels);
  QTest::mouseClick(w->Command18, Qt::LeftButton);
  EXPECT_FALSE(state->anchor);
  EXPECT_EQ(w->Command18->text(), "A");
  EXPECT_EQ(w->Command19->toolTip(), "Trails on / off");
}

// The buttons of the main window, the second view and the dashboard, each
// pressed once in this order: what each alone changes.
TEST_F(Dashboard, EachButtonDoesItsOwnPart) {
  state->PausedFlag = true;  // the time step changes at once
  const double scale = state->ScalePixel;
  const auto window = [this](const std::string& w) -> QWidget* {
    if (w == "main") return form.get();
    if (w == "view2") {
      if (!tw->secondView()) tw->showSecondView().HScroll1->setValue(500);
      return tw->secondView();
    }
    const DashboardWindow d = w == "scale" ? DashScreenScale : w == "time" ? DashTimeRate : DashGraphicsOptions;
    if (!tw->isOpen(d)) tw->open(d);
    return tw->window(d);
  };
  const auto look = [&] {
    const State& s = *state;
    return Look({"tilt=" + GeneralText(form->hscroll1()->value() + form->vscroll1()->value()),
                 "tilt2=" + (tw->secondView() ? GeneralText(tw->secondView()->HScroll1->value()) : ""),
                 "scale=" + GeneralText(s.ScalePixel / scale), "timescale=" + GeneralText(s.timescale),
                 "paused=" + Flag(s.PausedFlag), "floating=" + Flag(s.PickFloatingFocus), "anchor=" + Flag(s.anchor),
                 "trails=" + Flag(s.trails), "plot=" + Flag(s.pplot), "labels=" + Flag(s.llabels)});
  };
  const struct {
    const char *where, *button, *changes;
  } rows[] = {
      {"main", "CenterBtn", "tilt=0"},        {"view2", "CenterBtn", "tilt2=0"},
      {"scale", "Command13", "scale=1.5"},    {"scale", "Command14", "scale=1"},
      {"graphics", "Command1", "floating=1"}, {"graphics", "Command18", "anchor=0"},
      {"graphics", "Command19", "trails=0"},  {"graphics", "Command20", "plot=0"},
      {"graphics", "Command21", "labels=1"},  {"time", "Command16", "timescale=2"},
      {"time", "Command17", "timescale=1"},   {"time", "Command15", "paused=0"},
  };
  ExpectEachPress(rows, look, [&](const auto& r) { return window(r.where); });
  form->PausePlay();
}

// ------------------------------------------------------------ second view

TEST_F(Dashboard, SecondViewDrawsEvenWithPlottingOff) {
  const QSize screen = form->screen()->size();
  {
    // Loaded, not yet shown: the screen's size, the bars clear of a title
    // bar and a task bar.
    const auto loaded = std::make_unique<Form2>(*form);
    EXPECT_EQ(loaded->size(), screen);
    EXPECT_EQ(loaded->VScroll1->geometry(), QRect(screen.width() - 17, 0, 17, screen.height() - 17 - 28));
    EXPECT_EQ(loaded->HScroll1->geometry(), QRect(0, screen.height() - 17 - 50, screen.width() - 17, 17));
  }
  ShowSecondView(form->tools());
  Form2* f2 = tw->secondView();
  ASSERT_TRUE(f2);
  EXPECT_TRUE(state->form2loaded);
  EXPECT_EQ(f2->parentWidget(), nullptr);
  EXPECT_EQ(f2->size(), screen);
  EXPECT_EQ(f2->zoomFactor(), state->ScalePixel);
  state->ScalePixel = 1e-7;       // bodies 1e9 m apart: 100 pixels
  ShowSecondView(form->tools());  // the open one; its zoom stays
  EXPECT_NE(f2->zoomFactor(), 1e-7);
  state->pplot = false;
  form->plot();
  EXPECT_GE(f2->drawnCount(), 1);
  EXPECT_EQ(f2->lastDrawnX(1), f2->drawWidth() / 2.0);
  f2->close();
  EXPECT_FALSE(state->form2loaded);
  QApplication::processEvents();
  EXPECT_FALSE(tw->secondView());
}

TEST_F(Dashboard, SecondViewRecordsTrailPointsOnVelocityChanges) {
  Form2& f2 = tw->showSecondView();
  state->objects = 1;
  state->focusobj = 1;
  state->objvx[1] = 100;
  state->objvy[1] = 0;
  state->objvz[1] = 0;
  f2.pPplot();
  EXPECT_EQ(f2.ringIndex(), 1);  // the first record: from (0, 0)
  EXPECT_EQ(f2.trail(1).oldX, 0);
  f2.pPplot();
  state->objvx[1] = 100.9;  // within 1%
  f2.pPplot();
  EXPECT_EQ(f2.ringIndex(), 1);
  state->objvx[1] = 102;
  f2.pPplot();
  EXPECT_EQ(f2.ringIndex(), 2);
  EXPECT_EQ(f2.trail(2).oldX, f2.trail(1).newX);
  // The ring wraps after 1000 entries.
  for (int k = 0; k < 999; ++k) {
    state->objvy[1] = (k % 2) ? 50 : -50;
    f2.pPplot();
  }
  EXPECT_EQ(f2.ringIndex(), 1);
  // Every vertical bar event counts towards the 30th-call redraw.
  const int before = f2.redrawCounter();
  f2.VScroll1->setValue(f2.VScroll1->value() + 100);
  EXPECT_EQ(f2.redrawCounter(), (before + 1) % 30);
  f2.CenterBtn_Click();
  EXPECT_EQ(f2.horizontalTilt(), 0);
  EXPECT_EQ(f2.verticalTilt(), 0);
}

TEST_F(Dashboard, SecondViewSkipsBodiesOnItsEdge) {
  Form2& f2 = tw->showSecondView();
  state->ScalePixel = f2.zoomFactor();
  state->objects = 2;
  state->focusobj = 1;
  state->anchor = true;
  state->objx[1] = 0;
  // Body 2 lands exactly on the left edge (x = 0) at the start-up tilt.
  state->objx[2] = (f2.drawWidth() / 2.0) / f2.zoomFactor();
  f2.pPplot();
  EXPECT_EQ(f2.drawnCount(), 1);
}

// ---------------------------------------------- over a fake main window

// The main window's commands as the dashboard sees them, each press noted.
class RecordingDashboardHost : public DashboardHost {
 public:
  void zoomIn() override { note("zoomIn"); }
  void zoomOut() override { note("zoomOut"); }
  void UpdateScreenScale() override { note("UpdateScreenScale"); }
  void PausePlay() override { note("PausePlay"); }
  void AnchorOnOff() override { note("AnchorOnOff"); }
  void TrailsOnOff() override { note("TrailsOnOff"); }
  void pPplot() override { note("pPplot"); }
  void LabelsOnOff() override { note("LabelsOnOff"); }
  void clearView() override { note("clearView"); }
  void ResetPlotState() override { note("ResetPlotState"); }
  QWidget* viewWidget() override { return &view; }
  QMenuBar* mainMenuBar() override { return &bar; }
  std::string pressed() { return std::exchange(log_, {}); }
  QWidget view;
  QMenuBar bar;

 private:
  void note(const char* c) { log_ += (log_.empty() ? "" : " ") + std::string(c); }
  std::string log_;
};

// Each button (and a pick in the focus list) presses its own command of the
// main window and no other.
TEST(DashboardOverAFakeMainWindow, EachButtonPressesItsOwnCommand) {
  State s;
  for (int i = 1; i <= 2; ++i) s.objname[i] = "Body" + std::to_string(i);
  s.objects = 2;
  FakeWindowServices main(s);
  RecordingDashboardHost host;
  MainToolWindows tools(main, host);
  const struct {
    DashboardWindow where;
    const char *button, *commands;
  } rows[] = {
      {DashScreenScale, "Command13", "zoomIn"},          {DashScreenScale, "Command14", "zoomOut"},
      {DashTimeRate, "Command15", "PausePlay"},          {DashGraphicsOptions, "Command18", "AnchorOnOff"},
      {DashGraphicsOptions, "Command19", "TrailsOnOff"}, {DashGraphicsOptions, "Command20", "pPplot"},
      {DashGraphicsOptions, "Command21", "LabelsOnOff"}, {DashGraphicsOptions, "Command1", ""},
  };
  for (const auto& r : rows) {
    SCOPED_TRACE(r.button);
    if (!tools.isOpen(r.where)) tools.open(r.where);
    host.pressed();
    ASSERT_TRUE(Press(tools.window(r.where), r.button));
    EXPECT_EQ(host.pressed(), r.commands);
  }
  EXPECT_EQ(host.view.cursor().shape(), Qt::CrossCursor);  // the floating-focus pick is armed
  tools.open(DashFocusObject);
  host.pressed();
  PickRow(tools.focusObject()->Combo2, 1);
  EXPECT_EQ(s.focusobj, 2);
  EXPECT_EQ(host.pressed(), "clearView ResetPlotState");
}

}  // namespace
}  // namespace molvane
