// What the main window does with the instrument boxes: its running loop
// leaves every box on the last step, its situation files keep their places
// and bodies, new boxes open over its view, keys in a dropped list run its
// commands, and its body popup opens an orbit box.
#include <QAbstractItemView>
#include <QTemporaryDir>
#include <array>
#include <set>
#include <string>

#include "../support/scenes.h"
#include "../support/pressing.h"
#include "engine/bodies.h"
#include "engine/readouts.h"
#include "form1_support.h"
#include "mainwindow/menus.h"
#include "mainwindow/viewwidget.h"
#include "windowset_support.h"

namespace molvane {
namespace {

class Instruments : public WindowSetFixture {
 protected:
  void addBodies() { SunProbeMoon(*state); }
  std::string text(QLabel* l) const { return l->text().toStdString(); }
};

using DistanceBoxReadouts = Instruments;
using DistanceBoxSlots = Instruments;

// With plotting off the main window's drawing leaves the readouts as they
// stand.
TEST_F(DistanceBoxReadouts, PlottingOffLeavesTheReadouts) {
  addBodies();
  ASSERT_EQ(form->boxSlots().addBox(BoxKind::Distance), 1);
  RefBoxS* box = editors->distanceBox(1);
  box->selectEntry(2, 0);  // the Sun twice: 0 once the distance has settled
  form->plot();
  form->plot();
  ASSERT_EQ(text(box->lbl(1)), "0.");
  box->selectEntry(2, 1);
  state->pplot = false;
  form->plot();
  EXPECT_EQ(text(box->lbl(1)), "0.");
}

class OrbitBoxElements : public Instruments {
 protected:
  void makeOrbit(double ts) { EarthAndSatellite(*state, ts); }
};

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
  editors->show(InstrumentWindow::RefBox2, false);
  RefBoxS* box = editors->distanceBox(1);
  RefBoxS* hidden = editors->distanceBox(2);
  RefBoxOrbit1* orbit = editors->orbitBox(1);
  RefBox* ref = editors->referenceBox(2);
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

TEST_F(DistanceBoxSlots, PlacesAndBodiesRoundTripThroughASituationFile) {
  addBodies();
  QTemporaryDir dir;
  ASSERT_TRUE(dir.isValid());
  state->distanceBoxes[1] = {true, 1500, 3000, "ignored", "ignored", 3, 2};
  editors->openBox(BoxKind::Distance, 1);
  RefBoxS* box = editors->distanceBox(1);
  ASSERT_NE(box, nullptr);
  EXPECT_EQ(box->pos(), QPoint(100, 200));
  EXPECT_EQ(box->BodyA, 3);
  EXPECT_EQ(box->BodyB, 2);
  EXPECT_EQ(box->Combo1->currentText().toStdString(), "Moon");
  EXPECT_EQ(box->windowTitle().toStdString(), "Moon - Probe");
  EXPECT_EQ(state->distanceBoxes[1].list1, "Moon");
  EXPECT_EQ(state->distanceBoxes[1].left, 1500.f);

  state->orbitBoxes[1] = {true, 450, 600, "Probe", "Reference Object", 2, 1};
  editors->openBox(BoxKind::Orbit, 1);
  ASSERT_NE(editors->orbitBox(1), nullptr);
  EXPECT_EQ(editors->orbitBox(1)->ObjectIndex, 2);
  EXPECT_EQ(editors->orbitBox(1)->ReferenceIndex, 1);

  const std::string path = dir.filePath("boxes.molv").toStdString();
  ASSERT_TRUE(form->saveSituation(path));
  form->boxSlots().closeBoxWindow(BoxKind::Distance, 1);
  form->boxSlots().closeBoxWindow(BoxKind::Orbit, 1);
  state->distanceBoxes[1] = BoxSlot{};
  ASSERT_TRUE(form->openSituation(path));

  RefBoxS* again = editors->distanceBox(1);
  ASSERT_NE(again, nullptr);
  EXPECT_NE(again, box);  // a file always brings a new window
  EXPECT_TRUE(again->isVisible());
  EXPECT_EQ(again->pos(), QPoint(100, 200));
  EXPECT_EQ(again->BodyA, 3);
  EXPECT_EQ(again->BodyB, 2);
  EXPECT_EQ(state->distanceBoxes[1].left, 1500.f);
  EXPECT_EQ(state->distanceBoxes[1].top, 3000.f);
  RefBoxOrbit1* orbit = editors->orbitBox(1);
  ASSERT_NE(orbit, nullptr);
  EXPECT_EQ(orbit->pos(), QPoint(30, 40));
  EXPECT_EQ(orbit->ObjectIndex, 2);
  EXPECT_EQ(orbit->ReferenceIndex, 1);
}

// A new box opens over the view, clear of the menu bar, and records that
// place; a series of new boxes never stands exactly on one another.
TEST_F(DistanceBoxSlots, NewBoxesOpenOverTheViewEachInAPlaceOfItsOwn) {
  addBodies();
  form->boxSlots().addBox(BoxKind::Distance);
  const QRect view(form->viewWidget()->mapToGlobal(QPoint(0, 0)), form->viewWidget()->size());
  const QPoint at = editors->distanceBox(1)->frameGeometry().topLeft();
  EXPECT_TRUE(view.contains(at));
  EXPECT_EQ(state->distanceBoxes[1].left, at.x() * 15.f);
  EXPECT_EQ(state->distanceBoxes[1].top, at.y() * 15.f);
  std::set<std::pair<int, int>> places;
  for (int k = 1; k <= MaxSlots; ++k) {
    if (k > 1) form->boxSlots().addBox(BoxKind::Distance);
    places.insert({editors->distanceBox(k)->x(), editors->distanceBox(k)->y()});
  }
  EXPECT_EQ(places.size(), static_cast<size_t>(MaxSlots));
}

TEST_F(DistanceBoxSlots, KeysInADroppedListRunCommandsAndTheOrbitReferenceListOnlyAligns) {
  addBodies();  // Sun, Probe, Moon
  auto counting = std::make_unique<CountingTools>(*state);
  CountingTools* tools = counting.get();
  form->setToolWindows(std::move(counting));
  form->boxSlots().addBox(BoxKind::Distance);
  RefBoxS* box = editors->distanceBox(1);
  box->lbl_MouseMove();
  box->Combo1->showPopup();
  QTest::keyClick(box->Combo1->view(), 'p');
  EXPECT_TRUE(state->PausedFlag);
  EXPECT_EQ(box->Combo1->view()->currentIndex().row(), 1);  // the list found "Probe"
  QTest::keyClick(box->Combo1->view(), 'l');
  EXPECT_TRUE(state->llabels);

  form->boxSlots().addBox(BoxKind::Orbit);
  QComboBox* reference = editors->orbitBox(1)->Combo2;
  QTest::keyClick(reference, 'p');
  EXPECT_TRUE(state->PausedFlag);
  QTest::keyClick(reference, Qt::Key_F8);
  reference->showPopup();
  QTest::keyClick(reference->view(), Qt::Key_F9);
  EXPECT_EQ(tools->alignV, 1);
  EXPECT_EQ(tools->alignH, 1);
}

TEST_F(OrbitBoxElements, DisplayOrbitalElementsFromTheBodyPopup) {
  makeOrbit(1);
  state->llabels = true;
  form->plot();
  // A right-click on Sat's name label, then the item of the popup it opens.
  const QPoint label = form->view().labelRect(2).center().toPoint();
  ASSERT_EQ(form->view().labelAt(label), 2);
  QTest::mouseClick(form->viewWidget(), Qt::RightButton, {}, label);
  ASSERT_TRUE(QTest::qWaitFor([this] { return form->menus().popup->isVisible(); }, 2000));
  ASSERT_NE(ClickMenuItem(form->menus().popup, "mnuDisplayOrbitalElements"), nullptr);
  RefBoxOrbit1* box = editors->orbitBox(1);
  ASSERT_NE(box, nullptr);
  EXPECT_EQ(box->Combo1->currentText().toStdString(), "Sat");
  EXPECT_EQ(box->Combo2->currentText().toStdString(), "Earth");
  EXPECT_EQ(box->ObjectIndex, 2);
  EXPECT_EQ(box->ReferenceIndex, 1);
  EXPECT_EQ(state->rbo1a, 2);
  // It opens over the view as a new box does, not over the screen's corner.
  const QRect view(form->viewWidget()->mapToGlobal(QPoint(0, 0)), form->viewWidget()->size());
  EXPECT_TRUE(view.contains(box->frameGeometry().topLeft()));
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

}  // namespace
}  // namespace molvane
