// The control windows: thrust panel slots kept in State, the default panel
// as the older files restore it, the caption editor and the body lists.
#include "controlwin_support.h"

namespace molvane {
namespace {

using ControlWindowsTest = ControlWinFixture;

TEST_F(ControlWindowsTest, ThrustBoxesTakeAndReleaseTheirSlots) {
  addBodies();
  EXPECT_EQ(addThrustPanel(), 1);
  EXPECT_EQ(addThrustPanel(), 2);
  FormControlCenter* p1 = control->thrustPanel(1);
  ASSERT_NE(p1, nullptr);
  EXPECT_TRUE(p1->isVisible());
  EXPECT_EQ(p1->SlotIndex(), 1);
  EXPECT_EQ(p1->windowTitle(), "Thrust");
  EXPECT_EQ(p1->parentWidget(), &fake->main);
  EXPECT_EQ(state->thrustPanels[1].top, p1->pos().y() * 15);  // the place is the slot's record
  // A numbered panel does not claim the default panel's flag.
  EXPECT_FALSE(state->formcontrolcenterloaded);

  // Closing frees the slot; the next box takes the lowest free one.
  p1->close();
  EXPECT_FALSE(state->thrustPanels[1].inUse);
  EXPECT_TRUE(state->thrustPanels[2].inUse);
  EXPECT_EQ(addThrustPanel(), 1);
  CloseBoxWindow(*state, *control, BoxKind::Thrust, 2);
  EXPECT_FALSE(state->thrustPanels[2].inUse);
  QTest::qWait(10);
  EXPECT_EQ(control->thrustPanel(2), nullptr);
  // Out-of-range slots and other kinds are ignored.
  control->openBox(BoxKind::Thrust, 0);
  control->openBox(BoxKind::Thrust, 101);
  control->closeBox(BoxKind::Thrust, -3);
  control->openBox(BoxKind::Distance, 5);
  EXPECT_EQ(control->thrustPanel(5), nullptr);
}

TEST_F(ControlWindowsTest, APanelOpensFromItsRecordAndWritesBackToIt) {
  addBodies();
  state->thrustPanels[3] = {true, 1500, 300, "45", "10", 2, 1};
  control->openBox(BoxKind::Thrust, 3);  // as the situation loader does
  FormControlCenter* p = control->thrustPanel(3);
  ASSERT_NE(p, nullptr);
  EXPECT_EQ(p->pos(), QPoint(20, 100));
  EXPECT_EQ(p->Text1->text(), "45");
  EXPECT_EQ(p->Text2->text(), "10");
  EXPECT_EQ(p->cpobject(), 2);
  EXPECT_EQ(p->cpreference(), 1);
  EXPECT_EQ(p->Combo1->currentText(), "Earth");
  EXPECT_EQ(p->Combo2->currentText(), "Sun");
  EXPECT_EQ(p->Command2->text(), "Earth");
  EXPECT_FALSE(p->Frame1->isHidden());
  EXPECT_TRUE(p->Frame2->isHidden());
  p->Text2->setText("-5");
  p->move(30, 40);
  EXPECT_EQ(state->thrustPanels[3].text2, "-5");
  EXPECT_EQ(state->thrustPanels[3].left, 30 * 15);
  EXPECT_EQ(state->thrustPanels[3].top, 40 * 15);

  // A record whose indices name no body opens with nothing chosen.
  state->thrustPanels[4] = {true, 0, 0, "", "", 900, 0};
  control->openBox(BoxKind::Thrust, 4);
  EXPECT_FALSE(control->thrustPanel(4)->Frame2->isHidden());
}

TEST_F(ControlWindowsTest, DefaultPanelConfirmsItsBodiesByNameAndTakesItsDirection) {
  addBodies();
  state->timescale = 4;
  state->cpobjectname = "Earth";
  state->cpreferencename = "Sun";
  state->controlCenterText1 = "180";
  state->controlCenterText2 = "0";
  state->cpobject = 2;  // the value-list reader looks the names up first
  state->cpreference = 1;
  control->show(InstrumentWindow::ControlPanel, false);
  FormControlCenter* p = control->thrustPanel(0);
  ASSERT_NE(p, nullptr);
  EXPECT_EQ(p->SlotIndex(), 0);
  EXPECT_TRUE(state->formcontrolcenterloaded);
  EXPECT_EQ(p->cpobject(), 2);
  EXPECT_EQ(p->cpreference(), 1);
  EXPECT_EQ(state->cpobject, 2);
  EXPECT_EQ(p->Command2->text(), "Earth");
  EXPECT_NEAR(state->objdirx[2], 4, 1e-5);  // azimuth 180: along +x
  EXPECT_EQ(state->objvx[2], 0);
  EXPECT_TRUE(control->isShown(InstrumentWindow::ControlPanel));

  control->closeStartupWindows();
  EXPECT_FALSE(state->formcontrolcenterloaded);
  EXPECT_FALSE(control->isShown(InstrumentWindow::ControlPanel));
  // The hidden menu item reopens it afresh.
  control->show(InstrumentWindow::ControlPanel, true);
  EXPECT_TRUE(state->formcontrolcenterloaded);
  control->closeDefaultThrustPanel();
  EXPECT_FALSE(state->formcontrolcenterloaded);
}

TEST_F(ControlWindowsTest, BodyListsFollowTheBodiesAndTheCaptionEditorOpensOnce) {
  addBodies();
  addThrustPanel();
  FormControlCenter* p = control->thrustPanel(1);
  p->Combo1->setEditText("Earth");
  state->objname[4] = "Mars";
  state->objects = 4;
  fake->refreshObjectLists();
  EXPECT_EQ(p->Combo1->count(), 4);
  EXPECT_EQ(p->Combo2->itemText(3), "Mars");
  EXPECT_EQ(p->Combo1->currentText(), "Earth");

  EXPECT_FALSE(control->isShown(InstrumentWindow::AddCaption));
  control->show(InstrumentWindow::AddCaption, false);
  frmAddCaption* e = control->captionEditor();
  ASSERT_NE(e, nullptr);
  EXPECT_TRUE(control->isShown(InstrumentWindow::AddCaption));
  control->show(InstrumentWindow::AddCaption, false);
  EXPECT_EQ(control->captionEditor(), e);
  control->close(InstrumentWindow::AddCaption);
  EXPECT_FALSE(control->isShown(InstrumentWindow::AddCaption));
}

}  // namespace
}  // namespace molvane
