// The instrument boxes (distance, reference, orbit), the spectrum window and
// the editors' side of the instrument router, on a main window over a fresh
// State, offscreen.
#include <gtest/gtest.h>

#include <QAbstractItemView>
#include <QTemporaryDir>
#include <QTest>
#include <cmath>
#include <memory>
#include <set>
#include <string>

#include "../support/pressing.h"
#include "bodyeditors_support.h"
#include "editors/editorwindows.h"
#include "editors/orbitcalculator.h"
#include "engine/bodies.h"
#include "engine/state.h"
#include "mainwindow/form1.h"
#include "mainwindow/instrumentrouter.h"
#include "mainwindow/viewwidget.h"

namespace molvane {
namespace {

class Instruments : public ::testing::Test {
 protected:
  void SetUp() override {
    form.reset();  // the window goes before the tables it works on
    state = std::make_unique<State>();
    form = std::make_unique<Form1>(*state);
    auto ed = std::make_unique<EditorWindows>(*form);
    ew = ed.get();
    form->setInstrumentWindows(std::make_unique<InstrumentRouter>(std::move(ed), nullptr));
  }
  void TearDown() override {
    form.reset();
    state.reset();
  }
  // Sun at the origin, at rest; Probe 3000 km east and 4000 km north,
  // moving 3000 and 4000 m per step; Moon far away. Time step 10 s.
  void addBodies() {
    State& s = *state;
    const char* names[] = {"", "Sun", "Probe", "Moon"};
    for (int i = 1; i <= 3; ++i) {
      s.objname[i] = names[i];
      s.objref[i] = "Sun";
      s.objmass[i] = i == 1 ? 100.0 : 0.0;
    }
    s.objref[1] = "Floating";
    s.objx[2] = 3e6;
    s.objy[2] = 4e6;
    s.objvx[2] = 3000;
    s.objvy[2] = 4000;
    s.objx[3] = 1e9;
    s.objects = 3;
    s.focusobj = 1;
    s.timescale = 10;
  }
  std::string text(QLabel* l) const { return l->text().toStdString(); }

  std::unique_ptr<State> state;
  std::unique_ptr<Form1> form;
  EditorWindows* ew = nullptr;
};

using DistanceBoxReadouts = Instruments;
using DistanceBoxSlots = Instruments;
using ReferenceBoxes = Instruments;
using OrbitBoxes = Instruments;
using SpectrumWindow = Instruments;
using EditorWindowsRouting = Instruments;

TEST_F(DistanceBoxReadouts, FirstAndSecondRefreshAsComputedByHand) {
  addBodies();
  ASSERT_EQ(form->boxSlots().addBox(BoxKind::Distance), 1);
  RefBoxS* box = ew->distanceBox(1);
  ASSERT_NE(box, nullptr);
  EXPECT_EQ(box->BodyA, 1);
  EXPECT_EQ(box->BodyB, 2);
  EXPECT_EQ(box->windowTitle().toStdString(), "Sun - Probe");
  EXPECT_EQ(text(box->lbl(5)), "Km      Distance");

  // First refresh: the previous distance is 0, so the whole 5000 km is
  // the radial change (500 km/s at 10 s a step); the tangential root fails
  // and keeps 0.
  form->plot();
  EXPECT_EQ(text(box->lbl(1)), "5,000.");
  EXPECT_EQ(text(box->lbl(2)), "0.5");
  EXPECT_EQ(text(box->lbl(3)), "500.");
  EXPECT_EQ(text(box->lbl(4)), "0.");

  // The probe moves 3 km straight outward: radial 0.3 km/s, tangential
  // sqrt(5000^2 - 3000^2) m per step = 0.4 km/s.
  state->objx[2] = 3001800;
  state->objy[2] = 4002400;
  ew->plotReadouts();
  EXPECT_EQ(text(box->lbl(1)), "5,003.");
  EXPECT_EQ(text(box->lbl(3)), "0.3");
  EXPECT_EQ(text(box->lbl(4)), "0.4");

  // The same body twice: all four are 0 once the distance has settled.
  box->selectEntry(2, 0);
  EXPECT_EQ(box->BodyB, 1);
  ew->plotReadouts();
  ew->plotReadouts();
  for (int k = 1; k <= 4; ++k) EXPECT_EQ(text(box->lbl(k)), "0.") << k;

  // Plotting off: nothing changes.
  box->selectEntry(2, 1);
  state->pplot = false;
  form->plot();
  EXPECT_EQ(text(box->lbl(1)), "0.");
}

// Through the program's running loop the boxes show at most a frame's
// steps late; when the run pauses every box shows the last step, as a
// refresh at every step would, and a minimized box catches up on restore.
TEST_F(DistanceBoxReadouts, TheRunningLoopLeavesEveryBoxOnItsLastStep) {
  addBodies();
  state->objmass[1] = 4e5;  // the probe bends round the Sun
  state->rbo1a = 2;
  ASSERT_EQ(form->boxSlots().addBox(BoxKind::Distance), 1);
  ASSERT_EQ(form->boxSlots().addBox(BoxKind::Orbit), 1);
  ASSERT_EQ(form->boxSlots().addBox(BoxKind::Distance), 2);
  ew->show(InstrumentWindow::RefBox2, false);
  RefBoxS* box = ew->distanceBox(1);
  RefBoxS* hidden = ew->distanceBox(2);
  RefBoxOrbit1* orbit = ew->orbitBox(1);
  RefBox* ref = ew->referenceBox(2);
  hidden->showMinimized();
  for (int run = 0; run < 2; ++run) {
    const double t0 = state->SecondsElapsed;
    state->PausedFlag = false;
    form->Timer1_Timer();
    if (run == 0) {
      EXPECT_TRUE(QTest::qWaitFor([&] { return state->loopRunning && !text(orbit->value(RowX)).empty(); }, 5000));
    } else {
      form->viewWidget()->setFrameInterval(3600000);  // no frame after the first: only the pause shows
    }
    ASSERT_TRUE(QTest::qWaitFor([&] { return state->SecondsElapsed > t0 + 3000 * state->timescale; }, 10000));
    form->PausePlay();
    ASSERT_TRUE(QTest::qWaitFor([&] { return !state->loopRunning; }, 5000));
    // Distance and relative speed follow from the tables as they stand.
    PairReadout now;
    StepPairReadout(*state, 1, 2, now);
    const std::array<std::string, 4> texts = PairReadoutTexts(box->readout, 3);
    EXPECT_EQ(texts[0], PairReadoutTexts(now, 3)[0]);
    EXPECT_EQ(texts[1], PairReadoutTexts(now, 3)[1]);
    EXPECT_EQ(PairReadoutTexts(now, 4)[0], text(ref->lbl(1)));
    for (int k = 1; k <= 4; ++k) EXPECT_EQ(text(box->lbl(k)), texts[k - 1]) << k;
    State copy = *state;
    const std::array<std::string, OrbitRows> rows = OrbitBoxTexts(copy, 2, 1);
    for (int r = 0; r < OrbitRows; ++r) EXPECT_EQ(text(orbit->value(r)), rows[r]) << r;
    // The minimized box was left alone; restored, it shows the last step.
    EXPECT_EQ(text(hidden->lbl(1)), "");
    if (run == 1) {
      hidden->showNormal();
      EXPECT_EQ(text(hidden->lbl(1)), texts[0]);
    }
  }
}

TEST_F(DistanceBoxReadouts, EqualNamesPickTheEntryPickedAndUnknownIndicesAreSafe) {
  addBodies();
  state->objname[3] = "Probe";
  state->focusobj = 2;
  form->boxSlots().addBox(BoxKind::Distance);
  RefBoxS* box = ew->distanceBox(1);
  // The new box measures bodies 2 and 3 and its pickers show those entries.
  EXPECT_EQ(box->BodyB, 3);
  EXPECT_EQ(box->windowTitle().toStdString(), "Probe - Probe");
  EXPECT_EQ(box->Combo1->currentIndex(), 1);
  EXPECT_EQ(box->Combo2->currentIndex(), 2);
  box->selectEntry(2, 1);
  EXPECT_EQ(box->BodyB, 2);
  // Indices outside the table (a damaged record) show blank readouts.
  box->BodyA = -5;
  box->BodyB = 2000;
  ew->plotReadouts();
  EXPECT_EQ(text(box->lbl(1)), "");
}

TEST_F(DistanceBoxSlots, CloseFreesTheSlotAndAReopenedBoxKeepsItsLastDistance) {
  addBodies();
  for (int i = 1; i <= 3; ++i) ASSERT_EQ(form->boxSlots().addBox(BoxKind::Distance), i);
  ew->plotReadouts();
  RefBoxS* second = ew->distanceBox(2);
  ASSERT_TRUE(second->isVisible());
  second->close();
  EXPECT_FALSE(state->distanceBoxes[2].inUse);
  EXPECT_TRUE(state->distanceBoxes[1].inUse);
  EXPECT_TRUE(state->distanceBoxes[3].inUse);

  // The next box takes slot 2 again and is the same window, which compares
  // with its own last distance: the probe has not moved, no radial spike.
  ASSERT_EQ(form->boxSlots().addBox(BoxKind::Distance), 2);
  EXPECT_EQ(ew->distanceBox(2), second);
  EXPECT_TRUE(second->isVisible());
  ew->plotReadouts();
  EXPECT_EQ(text(second->lbl(3)), "0.");

  // The main window's close frees the slot too.
  form->boxSlots().closeBoxWindow(BoxKind::Distance, 3);
  EXPECT_FALSE(ew->distanceBox(3)->isVisible());
  EXPECT_FALSE(state->distanceBoxes[3].inUse);
}

TEST_F(DistanceBoxSlots, PlacesAndBodiesRoundTripThroughASituationFile) {
  addBodies();
  QTemporaryDir dir;
  ASSERT_TRUE(dir.isValid());
  state->distanceBoxes[1] = {true, 1500, 3000, "ignored", "ignored", 3, 2};
  ew->openBox(BoxKind::Distance, 1);
  RefBoxS* box = ew->distanceBox(1);
  ASSERT_NE(box, nullptr);
  EXPECT_EQ(box->pos(), QPoint(100, 200));
  EXPECT_EQ(box->BodyA, 3);
  EXPECT_EQ(box->BodyB, 2);
  EXPECT_EQ(box->Combo1->currentText().toStdString(), "Moon");
  EXPECT_EQ(box->windowTitle().toStdString(), "Moon - Probe");
  EXPECT_EQ(state->distanceBoxes[1].list1, "Moon");
  EXPECT_EQ(state->distanceBoxes[1].left, 1500.f);

  state->orbitBoxes[1] = {true, 450, 600, "Probe", "Reference Object", 2, 1};
  ew->openBox(BoxKind::Orbit, 1);
  ASSERT_NE(ew->orbitBox(1), nullptr);
  EXPECT_EQ(ew->orbitBox(1)->ObjectIndex, 2);
  EXPECT_EQ(ew->orbitBox(1)->ReferenceIndex, 1);

  const std::string path = dir.filePath("boxes.molv").toStdString();
  ASSERT_TRUE(form->saveSituation(path));
  form->boxSlots().closeBoxWindow(BoxKind::Distance, 1);
  form->boxSlots().closeBoxWindow(BoxKind::Orbit, 1);
  state->distanceBoxes[1] = BoxSlot{};
  ASSERT_TRUE(form->openSituation(path));

  RefBoxS* again = ew->distanceBox(1);
  ASSERT_NE(again, nullptr);
  EXPECT_NE(again, box);  // a file always brings a new window
  EXPECT_TRUE(again->isVisible());
  EXPECT_EQ(again->pos(), QPoint(100, 200));
  EXPECT_EQ(again->BodyA, 3);
  EXPECT_EQ(again->BodyB, 2);
  EXPECT_EQ(state->distanceBoxes[1].left, 1500.f);
  EXPECT_EQ(state->distanceBoxes[1].top, 3000.f);
  RefBoxOrbit1* orbit = ew->orbitBox(1);
  ASSERT_NE(orbit, nullptr);
  EXPECT_EQ(orbit->pos(), QPoint(30, 40));
  EXPECT_EQ(orbit->ObjectIndex, 2);
  EXPECT_EQ(orbit->ReferenceIndex, 1);
}

TEST_F(DistanceBoxSlots, AMovedWindowIsThePlaceTheNextSaveRecords) {
  addBodies();
  form->show();
  form->boxSlots().addBox(BoxKind::Distance);
  // A new box opens over the view, clear of the menu bar, and records that.
  const QRect view(form->viewWidget()->mapToGlobal(QPoint(0, 0)), form->viewWidget()->size());
  const QPoint at = ew->distanceBox(1)->frameGeometry().topLeft();
  EXPECT_TRUE(view.contains(at));
  EXPECT_EQ(state->distanceBoxes[1].left, at.x() * 15.f);
  EXPECT_EQ(state->distanceBoxes[1].top, at.y() * 15.f);
  ew->distanceBox(1)->move(40, 60);
  EXPECT_EQ(state->distanceBoxes[1].left, 600.f);
  EXPECT_EQ(state->distanceBoxes[1].top, 900.f);
  form->rb_Click(1);
  ew->referenceBox(1)->move(10, 20);
  EXPECT_EQ(state->refbox1Place.left, 150.f);
  EXPECT_EQ(state->refbox1Place.top, 300.f);
  form->boxSlots().addBox(BoxKind::Orbit);
  ew->orbitBox(1)->move(2, 4);
  EXPECT_EQ(state->orbitBoxes[1].left, 30.f);
  EXPECT_EQ(state->orbitBoxes[1].top, 60.f);

  // A box opened while the run is paused shows its values at once.
  state->PausedFlag = true;
  form->boxSlots().addBox(BoxKind::Distance);
  EXPECT_FALSE(ew->distanceBox(2)->lbl(1)->text().isEmpty());
  form->boxSlots().addBox(BoxKind::Orbit);
  EXPECT_FALSE(ew->orbitBox(2)->value(0)->text().isEmpty());

  // A series of new boxes never stands exactly on one another.
  std::set<std::pair<int, int>> places;
  for (int k = 3; k <= MaxSlots; ++k) {
    form->boxSlots().addBox(BoxKind::Distance);
    places.insert({ew->distanceBox(k)->x(), ew->distanceBox(k)->y()});
  }
  EXPECT_EQ(places.size(), static_cast<size_t>(MaxSlots - 2));
}

TEST_F(DistanceBoxSlots, ListRefreshKeepsTheWatchedBodiesAndPickersHideOnTheSecondTick) {
  addBodies();
  form->boxSlots().addBox(BoxKind::Distance);
  RefBoxS* box = ew->distanceBox(1);
  box->selectEntry(1, 2);  // Moon - Probe
  state->objname[3] = "Luna";
  state->objname[4] = "Comet";
  state->objects = 4;
  form->refreshObjectLists();
  EXPECT_EQ(box->Combo1->count(), 4);
  EXPECT_EQ(box->Combo1->currentText().toStdString(), "Luna");
  EXPECT_EQ(box->Combo2->currentText().toStdString(), "Probe");
  EXPECT_EQ(box->BodyA, 3);
  EXPECT_EQ(box->windowTitle().toStdString(), "Luna - Probe");
  EXPECT_EQ(state->distanceBoxes[1].list1, "Luna");

  EXPECT_FALSE(box->pickersShown());
  box->lbl_MouseMove();
  EXPECT_TRUE(box->pickersShown());
  box->Timer1_Timer();
  EXPECT_TRUE(box->pickersShown());
  box->ListOpen = true;  // a list dropped down stays
  box->Timer1_Timer();
  EXPECT_TRUE(box->pickersShown());
  box->selectEntry(2, 0);  // picking clears it
  box->Timer1_Timer();
  EXPECT_FALSE(box->pickersShown());
}

TEST_F(DistanceBoxSlots, KeysInADroppedListRunCommandsAndTheOrbitReferenceListOnlyAligns) {
  addBodies();  // Sun, Probe, Moon
  auto counting = std::make_unique<CountingTools>(*state);
  CountingTools* tools = counting.get();
  form->setToolWindows(std::move(counting));
  form->boxSlots().addBox(BoxKind::Distance);
  RefBoxS* box = ew->distanceBox(1);
  box->lbl_MouseMove();
  box->Combo1->showPopup();
  QTest::keyClick(box->Combo1->view(), 'p');
  EXPECT_TRUE(state->PausedFlag);
  EXPECT_EQ(box->Combo1->view()->currentIndex().row(), 1);  // the list found "Probe"
  QTest::keyClick(box->Combo1->view(), 'l');
  EXPECT_TRUE(state->llabels);

  form->boxSlots().addBox(BoxKind::Orbit);
  QComboBox* reference = ew->orbitBox(1)->Combo2;
  QTest::keyClick(reference, 'p');
  EXPECT_TRUE(state->PausedFlag);
  QTest::keyClick(reference, Qt::Key_F8);
  reference->showPopup();
  QTest::keyClick(reference->view(), Qt::Key_F9);
  EXPECT_EQ(tools->alignV, 1);
  EXPECT_EQ(tools->alignH, 1);
}

TEST_F(ReferenceBoxes, ReadoutsWithThreeAndFourDecimalsAndMemoryAcrossClosing) {
  addBodies();
  state->timescale = 3;
  form->rb_Click(1);
  form->rb_Click(2);
  RefBox* b1 = ew->referenceBox(1);
  RefBox* b2 = ew->referenceBox(2);
  ASSERT_TRUE(b1 && b2);
  EXPECT_TRUE(state->refbox1loaded);
  EXPECT_EQ(state->rb1a, 1);
  EXPECT_EQ(state->rb1b, 2);
  EXPECT_EQ(state->rb2b, 2);
  EXPECT_EQ(b1->windowTitle().toStdString(), "Sun - Probe");
  EXPECT_EQ(b2->pos(), QPoint(0, 145));  // 2170 twips, to the nearest pixel
  form->plot();
  // 5000 m per step at 3 s a step.
  EXPECT_EQ(text(b1->lbl(2)), "1.667");
  EXPECT_EQ(text(b2->lbl(2)), "1.6667");
  EXPECT_EQ(text(b1->lbl(3)), "1,666.667");
  EXPECT_EQ(text(b2->lbl(4)), "0.");

  // Closed and reopened: compares with the distance before closing.
  form->rb_Click(1);
  EXPECT_FALSE(state->refbox1loaded);
  form->plot();
  form->rb_Click(1);
  form->plot();
  EXPECT_EQ(text(b1->lbl(3)), "0.");
  EXPECT_EQ(ew->referenceMeasure(1).distance, 5e6);

  // A label click shows the pickers, a second hides them.
  b1->label_Click();
  EXPECT_TRUE(b1->pickersShown());
  b1->label_Click();
  EXPECT_FALSE(b1->pickersShown());

  form->instruments().closeStartupWindows();
  EXPECT_FALSE(state->refbox1loaded);
  EXPECT_FALSE(state->refbox2loaded);
  EXPECT_FALSE(b1->isVisible());
}

TEST_F(ReferenceBoxes, TheOrbitCalculatorStartsFromReferenceBoxOne) {
  addBodies();
  form->rb_Click(1);  // Sun - Probe
  form->plot();
  RefBox* b1 = ew->referenceBox(1);
  ASSERT_TRUE(b1);
  form->instruments().show(InstrumentWindow::OrbitCalculator, true);
  OrbitCalculator* calc = ew->bodyEditors().orbitCalculator();
  ASSERT_TRUE(calc);
  EXPECT_EQ(calc->Combo1->currentText(), "Sun");
  EXPECT_EQ(calc->Text6->text(), b1->lbl(1)->text());  // distance
  EXPECT_EQ(calc->Text7->text(), b1->lbl(4)->text());  // tangential speed
  EXPECT_EQ(calc->Text8->text(), b1->lbl(3)->text());  // radial speed
  EXPECT_EQ(calc->Text6->text(), "5,000.");
}

TEST_F(ReferenceBoxes, AFileMarkedOpenBoxReturnsAtItsPlaceOnTheNextTimerEvent) {
  addBodies();
  state->refbox1loaded = true;
  state->refbox1Place.left = 300;
  state->refbox1Place.top = 450;
  state->rb1a = 3;
  state->rb1b = 1;
  form->showReferenceBox(1);
  RefBox* b1 = ew->referenceBox(1);
  ASSERT_NE(b1, nullptr);
  EXPECT_TRUE(b1->isVisible());
  EXPECT_EQ(b1->pos(), QPoint(20, 30));
  EXPECT_EQ(b1->Combo1->currentText().toStdString(), "Moon");
  EXPECT_EQ(b1->windowTitle().toStdString(), "Moon - Sun");
  EXPECT_EQ(state->rb1a, 3);
  // Box 2 is not marked: nothing appears.
  form->showReferenceBox(2);
  EXPECT_EQ(ew->referenceBox(2), nullptr);
}

class OrbitBoxElements : public Instruments {
 protected:
  // Earth and a satellite at its periapsis, 7000 km out, eccentricity 0.5
  // (semi-major axis 14000 km, apoapsis 21000 km), at time step `ts`.
  void makeOrbit(double ts) {
    State& s = *state;
    s.objname[1] = "Earth";
    s.objname[2] = "Sat";
    s.objref[1] = "Floating";
    s.objref[2] = "Earth";
    s.objmass[1] = 1.0 * ts * ts;
    s.objmass[2] = 0;
    s.objx[2] = 7e6;
    const double mu = EarthGM / 1e9;  // km^3/s^2
    s.objvy[2] = std::sqrt(mu * 1.5 / 7000) * 1000 * ts;
    s.objects = 2;
    s.focusobj = 1;
    s.timescale = ts;
  }
};

TEST_F(OrbitBoxElements, KnownOrbitShowsItsElementsAtAnyTimeStep) {
  std::array<std::string, OrbitRows> first{};
  for (double ts : {1.0, 3600.0}) {
    SCOPED_TRACE(ts);
    SetUp();
    makeOrbit(ts);
    state->rbo1a = 2;
    state->rbo1b = 0;
    ASSERT_EQ(form->boxSlots().addBox(BoxKind::Orbit), 1);
    RefBoxOrbit1* box = ew->orbitBox(1);
    ASSERT_NE(box, nullptr);
    // "Reference Object" picks the satellite's own reference.
    EXPECT_EQ(box->Combo2->currentText().toStdString(), "Reference Object");
    EXPECT_EQ(box->ReferenceIndex, 1);
    EXPECT_EQ(state->objrefindex[2], 1);
    EXPECT_EQ(state->rbo1b, 1);
    EXPECT_EQ(box->windowTitle().toStdString(), "Sat - Earth");
    ew->plotReadouts();
    EXPECT_EQ(text(box->value(RowX)), "7000");
    EXPECT_EQ(text(box->value(RowY)), "0");
    EXPECT_EQ(text(box->value(RowXd)), "0");
    EXPECT_EQ(text(box->value(RowSMA)), "14,000.");
    // Shown without a leading zero; the last of 15 digits may differ.
    EXPECT_EQ(text(box->value(RowEcc)).substr(0, 2), ".5");
    EXPECT_NEAR(std::stod("0" + text(box->value(RowEcc))), 0.5, 1e-12);
    EXPECT_EQ(text(box->value(RowPerDist)), "7,000.");
    EXPECT_EQ(text(box->value(RowAppDist)), "21,000.");
    // The state vector rows do not depend on the time step.
    std::array<std::string, OrbitRows> now{};
    for (int r = RowX; r <= RowZd; ++r) now[r] = text(box->value(r));
    if (ts == 1.0) {
      first = now;
    } else {
      EXPECT_EQ(now, first);
    }
    TearDown();
  }
  SetUp();
}

TEST_F(OrbitBoxElements, DefaultBoxHighlightAndClosing) {
  makeOrbit(1);
  state->rbo1a = 2;
  state->rbo1b = 1;
  form->instruments().show(InstrumentWindow::OrbitRefBox1, false);
  RefBoxOrbit1* def = ew->orbitBox(0);
  ASSERT_NE(def, nullptr);
  EXPECT_TRUE(state->refboxorbit1loaded);
  form->plot();
  EXPECT_EQ(text(def->value(RowSMA)), "14,000.");
  EXPECT_EQ(text(def->value(RowX)), "7000");

  def->highlight(RowXd);
  EXPECT_EQ(def->valueColour(RowXd), QColor(0, 255, 0));
  EXPECT_EQ(def->valueColour(RowX), QColor(Qt::white));
  def->highlight(RowEcc);
  EXPECT_EQ(def->valueColour(RowXd), QColor(Qt::white));
  EXPECT_EQ(def->valueColour(RowEcc), QColor(0, 255, 0));

  // The picker toggle hides and shows only the object picker.
  def->Form_Click();
  EXPECT_TRUE(def->Combo1->isHidden());
  EXPECT_FALSE(def->Combo2->isHidden());
  def->Form_Click();
  EXPECT_FALSE(def->Combo1->isHidden());

  // Closing any numbered box clears the default box's flag.
  form->boxSlots().addBox(BoxKind::Orbit);
  form->boxSlots().closeBoxWindow(BoxKind::Orbit, 1);
  EXPECT_FALSE(state->refboxorbit1loaded);
  EXPECT_FALSE(state->orbitBoxes[1].inUse);
}

TEST_F(OrbitBoxElements, DisplayOrbitalElementsFromTheBodyPopup) {
  makeOrbit(1);
  form->labelPopup().objLabel_MouseUp(2, Qt::RightButton, QPoint(5, 5));
  form->labelPopup().mnuDisplayOrbitalElements_Click();
  RefBoxOrbit1* box = ew->orbitBox(1);
  ASSERT_NE(box, nullptr);
  EXPECT_EQ(box->Combo1->currentText().toStdString(), "Sat");
  EXPECT_EQ(box->Combo2->currentText().toStdString(), "Earth");
  EXPECT_EQ(box->ObjectIndex, 2);
  EXPECT_EQ(box->ReferenceIndex, 1);
  EXPECT_EQ(state->rbo1a, 2);
  // A list refresh keeps what the pickers show.
  state->objname[3] = "Moon";
  state->objects = 3;
  form->refreshObjectLists();
  EXPECT_EQ(box->Combo1->count(), 3);
  EXPECT_EQ(box->Combo2->count(), 4);
  EXPECT_EQ(box->Combo1->currentText().toStdString(), "Sat");
  EXPECT_EQ(box->Combo2->currentText().toStdString(), "Earth");
  // A name typed that matches no body keeps the indices.
  box->Combo1->setEditText("Nobody");
  box->Combo1_Click();
  EXPECT_EQ(box->ObjectIndex, 2);
}

TEST_F(SpectrumWindow, LoadPickRoundsTheOffsetToTheBarAndBoxesReadNumbers) {
  State& s = *state;
  s.objname[1] = "A";
  s.objname[2] = "B";
  s.objects = 2;
  s.timescale = 2;
  s.objvx[1] = 2469;  // 1234.5 m/s at 2 s a step
  form->instruments().show(InstrumentWindow::Spectrum, false);
  frmSpectrum* w = ew->spectrum();
  ASSERT_NE(w, nullptr);
  EXPECT_TRUE(s.spectrumloaded);
  EXPECT_EQ(s.spectrumSettings.bodyA, 1);
  EXPECT_EQ(s.spectrumSettings.bodyB, 2);
  EXPECT_EQ(s.spectrumSettings.period, 1);
  EXPECT_EQ(s.spectrumSettings.amplitude, 1);
  EXPECT_EQ(w->Text1->text().toStdString(), "1");
  EXPECT_FLOAT_EQ(s.spectrumSettings.offset, 1230.f);
  EXPECT_EQ(w->Text3->text().toStdString(), "1230");
  EXPECT_EQ(w->VScroll1->value(), 123);

  // 3 m/s rounds to the bar's position 0; from 0... first move the bar.
  w->VScroll1->setValue(57);
  EXPECT_FLOAT_EQ(s.spectrumSettings.offset, 570.f);
  EXPECT_EQ(w->Text3->text().toStdString(), "570");
  w->VScroll1->setValue(0);
  s.objvx[1] = 6;  // 3 m/s: rounded position 0 is the bar's already
  w->Combo_Click();
  EXPECT_FLOAT_EQ(s.spectrumSettings.offset, 3.f);
  EXPECT_EQ(w->Text3->text().toStdString(), "3");

  w->Text1->setText("2.5 days");
  EXPECT_EQ(s.spectrumSettings.period, 2);  // half to even
  w->Text2->setText("x");
  EXPECT_EQ(s.spectrumSettings.amplitude, 0);
  w->Text2->setText("99999");  // does not fit: kept
  EXPECT_EQ(s.spectrumSettings.amplitude, 0);
  w->Text2->setText("4");
  EXPECT_EQ(s.spectrumSettings.amplitude, 4);
  w->Text3->setText("1e999");  // not finite: kept
  EXPECT_FLOAT_EQ(s.spectrumSettings.offset, 3.f);

  // A name that matches no body keeps the choice.
  w->Combo2->setEditText("Nobody");
  w->Combo_Click();
  EXPECT_EQ(s.spectrumSettings.bodyB, 2);
  // A list refresh refills without changing the bodies, and names them.
  s.objname[3] = "C";
  s.objects = 3;
  form->refreshObjectLists();
  EXPECT_EQ(w->Combo1->count(), 3);
  EXPECT_EQ(w->Combo2->currentText().toStdString(), "B");
  EXPECT_EQ(s.spectrumSettings.bodyB, 2);
}

TEST_F(SpectrumWindow, SamplesDrawAndTheResetStartsAgainAtTheLeftEdge) {
  State& s = *state;
  s.objname[1] = "A";
  s.objname[2] = "B";
  s.objects = 2;
  form->instruments().show(InstrumentWindow::Spectrum, false);
  frmSpectrum* w = ew->spectrum();
  s.spectrumSample.x = 5;
  s.spectrumSample.nextTime = 1e6;
  form->spectrumPoint(0, 40);
  form->spectrumPoint(1, 20);
  EXPECT_EQ(w->drawingPosition(), QPoint(1, 20));
  const QColor ink = w->palette().color(QPalette::WindowText);
  EXPECT_EQ(w->picture().pixelColor(0, 30), ink);
  ASSERT_TRUE(Press(w, "Command1"));  // its one button
  EXPECT_EQ(s.spectrumSample.x, 0);
  EXPECT_EQ(s.spectrumSample.nextTime, 0);
  EXPECT_EQ(w->drawingPosition(), QPoint(0, 0));
  EXPECT_NE(w->picture().pixelColor(0, 30), ink);
  form->spectrumPoint(0, 1e300);  // far off the picture, no trouble
  w->close();
  EXPECT_FALSE(s.spectrumloaded);
  // Opened again: a clean picture from the top left corner.
  form->instruments().show(InstrumentWindow::Spectrum, false);
  EXPECT_EQ(w->drawingPosition(), QPoint(0, 0));
  EXPECT_NE(w->picture().pixelColor(0, 30), ink);
}

TEST_F(EditorWindowsRouting, BetaBoxAndOutOfRangeSlotsDoNothingHarmful) {
  addBodies();
  form->instruments().show(InstrumentWindow::BetaBox, false);
  ASSERT_NE(ew->betaBox(), nullptr);
  EXPECT_TRUE(form->instruments().isShown(InstrumentWindow::BetaBox));
  // It holds no slot and nothing refreshes it.
  form->plot();
  EXPECT_EQ(text(ew->betaBox()->lbl(1)), "");
  ew->betaBox()->close();
  EXPECT_FALSE(form->instruments().isShown(InstrumentWindow::BetaBox));
  ew->openBox(BoxKind::Distance, 0);
  ew->openBox(BoxKind::Distance, 101);
  ew->openBox(BoxKind::Distance, 5);  // not in use
  EXPECT_EQ(ew->distanceBox(5), nullptr);
  ew->closeBox(BoxKind::Orbit, 7);
}

}  // namespace
}  // namespace molvane
