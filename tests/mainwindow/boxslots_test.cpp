// The slot tables of the distance boxes, orbit boxes and thrust panels, and
// the popup menu of a body's name label.
#include <QTest>

#include "files/situation.h"
#include "mainwindow/viewwidget.h"
#include "menus_support.h"

namespace molvane {
namespace {

using BoxSlots = MenusFixture;
using Call = RecordingInstruments::Call;

TEST_F(BoxSlots, NewBoxesTakeTheLowestFreeSlot) {
  MainMenus& m = form->menus();
  m.addDistanceBox->trigger();
  m.addDistanceBox->trigger();
  m.addDistanceBox->trigger();
  EXPECT_EQ(instruments->calls, (std::vector<Call>{{"open distance", 1}, {"open distance", 2}, {"open distance", 3}}));
  // The box in slot 2 closes; the next one takes slot 2 again, afresh.
  state->distanceBoxes[2].list1 = "old";
  ReleaseBoxSlot(*state, BoxKind::Distance, 2);
  EXPECT_EQ(form->boxSlots().addBox(BoxKind::Distance), 2);
  EXPECT_EQ(state->distanceBoxes[2].list1, "");
  EXPECT_EQ(form->boxSlots().addBox(BoxKind::Distance), 4);
  // Each kind has its own table.
  m.addOrbitBox->trigger();
  m.addThrustBox->trigger();
  EXPECT_TRUE(BoxSlotInUse(*state, BoxKind::Orbit, 1));
  EXPECT_TRUE(BoxSlotInUse(*state, BoxKind::Thrust, 1));
  EXPECT_FALSE(BoxSlotInUse(*state, BoxKind::Thrust, 2));
  // Out-of-range slots are never in use and releasing them does nothing.
  EXPECT_FALSE(BoxSlotInUse(*state, BoxKind::Distance, 0));
  EXPECT_FALSE(BoxSlotInUse(*state, BoxKind::Distance, 101));
  ReleaseBoxSlot(*state, BoxKind::Distance, -1);
  ReleaseBoxSlot(*state, BoxKind::Distance, 101);
}

TEST_F(BoxSlots, WithAllHundredInUseANewBoxIsRefusedWithAMessage) {
  for (BoxKind kind : {BoxKind::Distance, BoxKind::Orbit, BoxKind::Thrust}) {
    for (int i = 1; i <= MaxSlots; ++i) ASSERT_EQ(form->boxSlots().addBox(kind), i);
    const size_t calls = instruments->calls.size();
    EXPECT_EQ(form->boxSlots().addBox(kind), 0);
    EXPECT_EQ(instruments->calls.size(), calls);  // nothing opened
    ASSERT_FALSE(dialogs.messages().empty());
    EXPECT_EQ(dialogs.messages().back(), AllSlotsTakenText(kind));
  }
  EXPECT_EQ(dialogs.messages().size(), 3u);
  EXPECT_FALSE(state->distanceBoxes[0].inUse);
  EXPECT_FALSE(state->orbitBoxes[0].inUse);
  EXPECT_FALSE(state->thrustPanels[0].inUse);
  EXPECT_NE(dialogs.messages()[0].find("100"), std::string::npos);

  // The popup's orbit box is refused the same way.
  addBodies(2);
  form->labelPopup().objLabel_MouseUp(2, Qt::RightButton, QPoint(10, 10));
  form->menus().popup->hide();
  form->labelPopup().mnuDisplayOrbitalElements_Click();
  EXPECT_EQ(dialogs.messages().size(), 4u);

  // New closes all of them; the next box is in slot 1 again.
  form->fileCommands().mnuNew_Click();
  EXPECT_EQ(instruments->count("close orbit"), MaxSlots);
  EXPECT_EQ(form->boxSlots().addBox(BoxKind::Orbit), 1);
}

TEST_F(BoxSlots, ASavedSituationListsOnlyTheBoxesStillOpenAndReopensThem) {
  addBodies(3);
  for (int i = 0; i < 3; ++i) form->boxSlots().addBox(BoxKind::Distance);
  form->boxSlots().addBox(BoxKind::Thrust);
  state->distanceBoxes[3].list1 = "Body3";
  state->distanceBoxes[3].bodyA = 3;
  ReleaseBoxSlot(*state, BoxKind::Distance, 2);
  const SituationDocument doc = DocumentFromState(*state);
  EXPECT_EQ(doc.distanceBoxes.size(), 2u);
  EXPECT_EQ(doc.thrustPanels.size(), 1u);

  const std::string path = file("boxes.molv");
  ASSERT_TRUE(form->saveSituation(path));
  instruments->calls.clear();
  ASSERT_TRUE(form->openSituation(path));
  // The loader closes the open windows, then opens the saved ones in slots
  // from 1.
  EXPECT_EQ(instruments->calls, (std::vector<Call>{{"close distance", 1},
                                                   {"close thrust", 1},
                                                   {"close distance", 3},
                                                   {"open distance", 1},
                                                   {"open distance", 2},
                                                   {"open thrust", 1}}));
  EXPECT_EQ(state->distanceBoxes[2].list1, "Body3");
  EXPECT_EQ(state->distanceBoxes[2].bodyA, 3);
  EXPECT_FALSE(state->distanceBoxes[3].inUse);
}

TEST_F(BoxSlots, OnlyARightClickOpensThePopup) {
  addBodies(3);
  form->labelPopup().objLabel_MouseUp(2, Qt::LeftButton, QPoint(5, 5));
  EXPECT_EQ(form->labelPopup().popupObject(), 0);
  EXPECT_FALSE(form->menus().popup->isVisible());
  form->labelPopup().objLabel_MouseUp(2, Qt::RightButton, QPoint(5, 5));
  EXPECT_EQ(form->labelPopup().popupObject(), 2);
  EXPECT_TRUE(form->menus().popup->isVisible());
  form->menus().popup->hide();

  // Through the view: a right click on body 3's label.
  form->LabelsOnOff();
  form->plot();
  const QRectF r = form->view().labelRect(3);
  ASSERT_TRUE(r.isValid());
  QTest::mouseClick(form->viewWidget(), Qt::RightButton, {}, r.center().toPoint());
  EXPECT_EQ(form->labelPopup().popupObject(), 3);
  form->menus().popup->hide();
}

TEST_F(BoxSlots, PopupCommandsActOnlyOnABodyThatStillExists) {
  addBodies(3);
  form->labelPopup().objLabel_MouseUp(3, Qt::RightButton, QPoint(5, 5));
  form->menus().popup->hide();
  state->objects = 2;  // body 3 went away in the meantime
  form->menus().deleteThisObject->trigger();
  form->menus().editThisObject->trigger();
  form->menus().focusThisObject->trigger();
  form->menus().displayOrbitalElements->trigger();
  EXPECT_EQ(state->objects, 2);
  EXPECT_EQ(state->focusobj, 1);
  EXPECT_TRUE(instruments->calls.empty());
  EXPECT_FALSE(BoxSlotInUse(*state, BoxKind::Orbit, 1));
  // Before any right click the index is 0: nothing either.
  MenusFixture::TearDown();
  MenusFixture::SetUp();
  addBodies(2);
  form->labelPopup().mnuDeleteThisObject_Click();
  form->labelPopup().mnuEditThisObject_Click();
  EXPECT_EQ(state->objects, 2);
  EXPECT_TRUE(instruments->calls.empty());
}

TEST_F(BoxSlots, PopupCommandsOnAnExistingBody) {
  addBodies(4);
  state->objref[3] = "Floating";
  state->objref[4] = "";
  state->objlastx[1] = 50;
  form->labelPopup().objLabel_MouseUp(2, Qt::RightButton, QPoint(5, 5));
  form->menus().popup->hide();

  form->labelPopup().mnuFocusThisObject_Click();
  EXPECT_EQ(state->focusobj, 2);
  EXPECT_EQ(state->objlastx[1], -1000);

  form->labelPopup().mnuEditThisObject_Click();
  EXPECT_EQ(state->ObjEditTarget, 2);
  EXPECT_EQ(instruments->calls.back(), (Call{"show", static_cast<int>(InstrumentWindow::ObjEdit)}));

  // Orbital elements of body 2 about its reference Body1.
  form->labelPopup().mnuDisplayOrbitalElements_Click();
  EXPECT_EQ(instruments->calls.back(), (Call{"open orbit", 1}));
  EXPECT_EQ(state->orbitBoxes[1].list1, "Body2");
  EXPECT_EQ(state->orbitBoxes[1].list2, "Body1");
  EXPECT_EQ(state->orbitBoxes[1].bodyA, 2);
  EXPECT_EQ(state->orbitBoxes[1].bodyB, 1);
  // A body about the floating point, and one without a reference.
  form->labelPopup().objLabel_MouseUp(3, Qt::RightButton, QPoint(5, 5));
  form->menus().popup->hide();
  state->objname[0] = "Floating";
  form->labelPopup().mnuDisplayOrbitalElements_Click();
  EXPECT_EQ(state->orbitBoxes[2].list2, "Floating");
  EXPECT_EQ(state->orbitBoxes[2].bodyB, 0);
  form->labelPopup().objLabel_MouseUp(4, Qt::RightButton, QPoint(5, 5));
  form->menus().popup->hide();
  form->labelPopup().mnuDisplayOrbitalElements_Click();
  EXPECT_EQ(state->orbitBoxes[3].list1, "Body4");
  EXPECT_EQ(state->orbitBoxes[3].list2, "");

  // Delete: body 2 goes, the bodies above move down.
  form->labelPopup().objLabel_MouseUp(2, Qt::RightButton, QPoint(5, 5));
  form->menus().popup->hide();
  form->labelPopup().mnuDeleteThisObject_Click();
  EXPECT_EQ(state->objects, 3);
  EXPECT_EQ(state->objname[2], "Body3");
}

}  // namespace
}  // namespace molvane
