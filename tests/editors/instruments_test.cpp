// The instrument boxes (distance, reference, orbit), the spectrum window and
// the editors' side of the instrument router, over a stand-in for the main
// window and a fresh State, offscreen. What the main window does with them
// is tested in tests/mainwindow.
#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <string>

#include "../support/fakewindowservices.h"
#include "../support/scenes.h"
#include "../support/pressing.h"
#include "editors/editorwindows.h"
#include "editors/orbitcalculator.h"
#include "engine/bodies.h"
#include "engine/state.h"

namespace molvane {
namespace {

class Instruments : public ::testing::Test {
 protected:
  void SetUp() override {
    ew.reset();  // the windows go before the tables they work on
    fake.reset();
    state = std::make_unique<State>();
    fake = std::make_unique<FakeWindowServices>(*state);
    ew = std::make_unique<EditorWindows>(*fake);
    fake->onRefreshObjectLists = [this] { ew->refreshObjectLists(); };
  }
  void TearDown() override {
    ew.reset();
    fake.reset();
    state.reset();
  }
  void addBodies() { SunProbeMoon(*state); }
  int addBox(BoxKind kind) { return AddBox(*state, *ew, kind); }
  std::string text(QLabel* l) const { return l->text().toStdString(); }

  std::unique_ptr<State> state;
  std::unique_ptr<FakeWindowServices> fake;
  std::unique_ptr<EditorWindows> ew;
};

using DistanceBoxReadouts = Instruments;
using DistanceBoxSlots = Instruments;
using ReferenceBoxes = Instruments;
using OrbitBoxes = Instruments;
using SpectrumWindow = Instruments;
using EditorWindowsRouting = Instruments;

TEST_F(DistanceBoxReadouts, FirstAndSecondRefreshAsComputedByHand) {
  addBodies();
  ASSERT_EQ(addBox(BoxKind::Distance), 1);
  RefBoxS* box = ew->distanceBox(1);
  ASSERT_NE(box, nullptr);
  EXPECT_EQ(box->BodyA, 1);
  EXPECT_EQ(box->BodyB, 2);
  EXPECT_EQ(box->windowTitle().toStdString(), "Sun - Probe");
  EXPECT_EQ(text(box->lbl(5)), "Km      Distance");

  // First refresh: the previous distance is 0, so the whole 5000 km is
  // the radial change (500 km/s at 10 s a step); the tangential root fails
  // and keeps 0.
  ew->plotReadouts();
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
}

TEST_F(DistanceBoxReadouts, EqualNamesPickTheEntryPickedAndUnknownIndicesAreSafe) {
  addBodies();
  state->objname[3] = "Probe";
  state->focusobj = 2;
  addBox(BoxKind::Distance);
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
  for (int i = 1; i <= 3; ++i) ASSERT_EQ(addBox(BoxKind::Distance), i);
  ew->plotReadouts();
  RefBoxS* second = ew->distanceBox(2);
  ASSERT_TRUE(second->isVisible());
  second->close();
  EXPECT_FALSE(state->distanceBoxes[2].inUse);
  EXPECT_TRUE(state->distanceBoxes[1].inUse);
  EXPECT_TRUE(state->distanceBoxes[3].inUse);

  // The next box takes slot 2 again and is the same window, which compares
  // with its own last distance: the probe has not moved, no radial spike.
  ASSERT_EQ(addBox(BoxKind::Distance), 2);
  EXPECT_EQ(ew->distanceBox(2), second);
  EXPECT_TRUE(second->isVisible());
  ew->plotReadouts();
  EXPECT_EQ(text(second->lbl(3)), "0.");

  // The main window's close frees the slot too.
  CloseBoxWindow(*state, *ew, BoxKind::Distance, 3);
  EXPECT_FALSE(ew->distanceBox(3)->isVisible());
  EXPECT_FALSE(state->distanceBoxes[3].inUse);
}

// Where a moved box stands is what the next save records; a box opened
// while the run is paused (numbered, reference or default) shows its values
// at once.
TEST_F(DistanceBoxSlots, AMovedWindowIsThePlaceTheNextSaveRecords) {
  addBodies();
  addBox(BoxKind::Distance);
  ew->distanceBox(1)->move(40, 60);
  EXPECT_EQ(state->distanceBoxes[1].left, 600.f);
  EXPECT_EQ(state->distanceBoxes[1].top, 900.f);
  ew->show(InstrumentWindow::RefBox1, true);
  ew->referenceBox(1)->move(10, 20);
  EXPECT_EQ(state->refbox1Place.left, 150.f);
  EXPECT_EQ(state->refbox1Place.top, 300.f);
  addBox(BoxKind::Orbit);
  ew->orbitBox(1)->move(2, 4);
  EXPECT_EQ(state->orbitBoxes[1].left, 30.f);
  EXPECT_EQ(state->orbitBoxes[1].top, 60.f);

  state->PausedFlag = true;
  addBox(BoxKind::Distance);
  EXPECT_FALSE(ew->distanceBox(2)->lbl(1)->text().isEmpty());
  addBox(BoxKind::Orbit);
  EXPECT_FALSE(ew->orbitBox(2)->value(0)->text().isEmpty());
  ew->close(InstrumentWindow::RefBox1);
  ew->show(InstrumentWindow::RefBox1, true);
  EXPECT_EQ(text(ew->referenceBox(1)->lbl(1)), "5,000.");  // Sun - Probe
  ew->show(InstrumentWindow::OrbitRefBox1, true);
  EXPECT_FALSE(ew->orbitBox(0)->value(0)->text().isEmpty());
}

TEST_F(DistanceBoxSlots, ListRefreshKeepsTheWatchedBodiesAndPickersHideOnTheSecondTick) {
  addBodies();
  addBox(BoxKind::Distance);
  RefBoxS* box = ew->distanceBox(1);
  box->selectEntry(1, 2);  // Moon - Probe
  state->objname[3] = "Luna";
  state->objname[4] = "Comet";
  state->objects = 4;
  fake->refreshObjectLists();
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

TEST_F(ReferenceBoxes, ReadoutsWithThreeAndFourDecimalsAndMemoryAcrossClosing) {
  addBodies();
  state->timescale = 3;
  ew->show(InstrumentWindow::RefBox1, true);
  ew->show(InstrumentWindow::RefBox2, true);
  RefBox* b1 = ew->referenceBox(1);
  RefBox* b2 = ew->referenceBox(2);
  ASSERT_TRUE(b1 && b2);
  EXPECT_TRUE(state->refbox1loaded);
  EXPECT_EQ(state->rb1a, 1);
  EXPECT_EQ(state->rb1b, 2);
  EXPECT_EQ(state->rb2b, 2);
  EXPECT_EQ(b1->windowTitle().toStdString(), "Sun - Probe");
  EXPECT_EQ(b2->pos(), QPoint(0, 145));  // 2170 twips, to the nearest pixel
  ew->plotReadouts();
  // 5000 m per step at 3 s a step.
  EXPECT_EQ(text(b1->lbl(2)), "1.667");
  EXPECT_EQ(text(b2->lbl(2)), "1.6667");
  EXPECT_EQ(text(b1->lbl(3)), "1,666.667");
  EXPECT_EQ(text(b2->lbl(4)), "0.");

  // Closed and reopened: compares with the distance before closing.
  ew->close(InstrumentWindow::RefBox1);
  EXPECT_FALSE(state->refbox1loaded);
  ew->plotReadouts();
  ew->show(InstrumentWindow::RefBox1, true);
  ew->plotReadouts();
  EXPECT_EQ(text(b1->lbl(3)), "0.");
  EXPECT_EQ(ew->referenceMeasure(1).distance, 5e6);

  // A label click shows the pickers, a second hides them.
  b1->label_Click();
  EXPECT_TRUE(b1->pickersShown());
  b1->label_Click();
  EXPECT_FALSE(b1->pickersShown());

  ew->closeStartupWindows();
  EXPECT_FALSE(state->refbox1loaded);
  EXPECT_FALSE(state->refbox2loaded);
  EXPECT_FALSE(b1->isVisible());
}

TEST_F(ReferenceBoxes, TheOrbitCalculatorStartsFromReferenceBoxOne) {
  addBodies();
  ew->show(InstrumentWindow::RefBox1, true);  // Sun - Probe
  ew->plotReadouts();
  RefBox* b1 = ew->referenceBox(1);
  ASSERT_TRUE(b1);
  ew->show(InstrumentWindow::OrbitCalculator, true);
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
  ew->showReferenceBox(1);
  RefBox* b1 = ew->referenceBox(1);
  ASSERT_NE(b1, nullptr);
  EXPECT_TRUE(b1->isVisible());
  EXPECT_EQ(b1->pos(), QPoint(20, 30));
  EXPECT_EQ(b1->Combo1->currentText().toStdString(), "Moon");
  EXPECT_EQ(b1->windowTitle().toStdString(), "Moon - Sun");
  EXPECT_EQ(state->rb1a, 3);
  // Box 2 is not marked: nothing appears.
  ew->showReferenceBox(2);
  EXPECT_EQ(ew->referenceBox(2), nullptr);
}

class OrbitBoxElements : public Instruments {
 protected:
  void makeOrbit(double ts) { EarthAndSatellite(*state, ts); }
};

TEST_F(OrbitBoxElements, KnownOrbitShowsItsElementsAtAnyTimeStep) {
  std::array<std::string, OrbitRows> first{};
  for (double ts : {1.0, 3600.0}) {
    SCOPED_TRACE(ts);
    SetUp();
    makeOrbit(ts);
    state->rbo1a = 2;
    state->rbo1b = 0;
    ASSERT_EQ(addBox(BoxKind::Orbit), 1);
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
  ew->show(InstrumentWindow::OrbitRefBox1, false);
  RefBoxOrbit1* def = ew->orbitBox(0);
  ASSERT_NE(def, nullptr);
  EXPECT_TRUE(state->refboxorbit1loaded);
  ew->plotReadouts();
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
  addBox(BoxKind::Orbit);
  CloseBoxWindow(*state, *ew, BoxKind::Orbit, 1);
  EXPECT_FALSE(state->refboxorbit1loaded);
  EXPECT_FALSE(state->orbitBoxes[1].inUse);
}

TEST_F(SpectrumWindow, LoadPickRoundsTheOffsetToTheBarAndBoxesReadNumbers) {
  State& s = *state;
  s.objname[1] = "A";
  s.objname[2] = "B";
  s.objects = 2;
  s.timescale = 2;
  s.objvx[1] = 2469;  // 1234.5 m/s at 2 s a step
  ew->show(InstrumentWindow::Spectrum, false);
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
  fake->refreshObjectLists();
  EXPECT_EQ(w->Combo1->count(), 3);
  EXPECT_EQ(w->Combo2->currentText().toStdString(), "B");
  EXPECT_EQ(s.spectrumSettings.bodyB, 2);
}

TEST_F(SpectrumWindow, SamplesDrawAndTheResetStartsAgainAtTheLeftEdge) {
  State& s = *state;
  s.objname[1] = "A";
  s.objname[2] = "B";
  s.objects = 2;
  ew->show(InstrumentWindow::Spectrum, false);
  frmSpectrum* w = ew->spectrum();
  s.spectrumSample.x = 5;
  s.spectrumSample.nextTime = 1e6;
  ew->spectrumPoint(0, 40);
  ew->spectrumPoint(1, 20);
  EXPECT_EQ(w->drawingPosition(), QPoint(1, 20));
  const QColor ink = w->palette().color(QPalette::WindowText);
  EXPECT_EQ(w->picture().pixelColor(0, 30), ink);
  ASSERT_TRUE(Press(w, "Command1"));  // its one button
  EXPECT_EQ(s.spectrumSample.x, 0);
  EXPECT_EQ(s.spectrumSample.nextTime, 0);
  EXPECT_EQ(w->drawingPosition(), QPoint(0, 0));
  EXPECT_NE(w->picture().pixelColor(0, 30), ink);
  ew->spectrumPoint(0, 1e300);  // far off the picture, no trouble
  w->close();
  EXPECT_FALSE(s.spectrumloaded);
  // Opened again: a clean picture from the top left corner.
  ew->show(InstrumentWindow::Spectrum, false);
  EXPECT_EQ(w->drawingPosition(), QPoint(0, 0));
  EXPECT_NE(w->picture().pixelColor(0, 30), ink);
}

TEST_F(EditorWindowsRouting, BetaBoxAndOutOfRangeSlotsDoNothingHarmful) {
  addBodies();
  ew->show(InstrumentWindow::BetaBox, false);
  ASSERT_NE(ew->betaBox(), nullptr);
  EXPECT_TRUE(ew->isShown(InstrumentWindow::BetaBox));
  // It holds no slot and nothing refreshes it.
  ew->plotReadouts();
  EXPECT_EQ(text(ew->betaBox()->lbl(1)), "");
  ew->betaBox()->close();
  EXPECT_FALSE(ew->isShown(InstrumentWindow::BetaBox));
  ew->openBox(BoxKind::Distance, 0);
  ew->openBox(BoxKind::Distance, 101);
  ew->openBox(BoxKind::Distance, 5);  // not in use
  EXPECT_EQ(ew->distanceBox(5), nullptr);
  ew->closeBox(BoxKind::Orbit, 7);
}

}  // namespace
}  // namespace molvane
